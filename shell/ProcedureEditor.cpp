#include "shell/ProcedureEditor.h"

#include "core/CaseFold.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/ProcedureStore.h"
#include "core/TextOps.h"
#include "engine/LogoEngine.h"
#include "modes/TextCommandWindow.h"
#include "shell/MainActions.h"
#include "widgets/Dialogs.h"
#include "widgets/QtText.h"

#include <QAction>

namespace mivarelo {

namespace {

// The procedure's lines as the editor shows them: one per editor line.
QString EditorTextOf(const ProcedureStore& store, int index) {
    std::string body = store.GetBody(index);
    if (!body.empty() && body.back() == '\n') body.pop_back();
    return ToQt(body);
}

// The editor's lines as a body: every line ends with a line feed.
std::string BodyOfEditor(const QString& text) {
    if (text.isEmpty()) return {};
    std::string body = FromQt(text);
    std::erase(body, '\r');
    return body + '\n';
}

} // namespace

ProcedureEditor::ProcedureEditor(LogoEngine& engine, std::function<void()> changed, QObject* parent)
    : QObject(parent), engine_(engine), changed_(std::move(changed)) {}

void ProcedureEditor::ConnectActions(const MainActions& a) {
    connect(a.AddProcedureAction, &QAction::triggered, this, &ProcedureEditor::AddProcedureAsk);
    connect(a.DeleteProceduresAction, &QAction::triggered, this,
            &ProcedureEditor::DeleteProcedureAsk);
    connect(a.EnterArgumentsAction, &QAction::triggered, this, &ProcedureEditor::EnterArgumentsAsk);
    connect(a.RenameProcedureAction, &QAction::triggered, this,
            &ProcedureEditor::RenameProcedureAsk);
}

void ProcedureEditor::StoreEditorIntoProcedure() {
    const int current = Globals().CurrentProcedure;
    if (current < 0 || !text_ || !text_->Editable()) return;
    engine_.Procedures().SetBody(current, BodyOfEditor(text_->EditorText()));
}

void ProcedureEditor::ShowProcedure(int index) {
    StoreEditorIntoProcedure();
    if (index == -1) index = text_ ? text_->SelectedProcedure() : 0;
    Globals().CurrentProcedure = index;
    if (!text_) return;
    text_->ShowProcedureText(EditorTextOf(engine_.Procedures(), index));
    text_->SelectProcedure(index);
}

void ProcedureEditor::ClearEditor() {
    if (text_) text_->ClearEditor();
}

void ProcedureEditor::ReloadEditor() {
    if (text_)
        text_->ShowProcedureText(EditorTextOf(engine_.Procedures(), Globals().CurrentProcedure));
}

void ProcedureEditor::RefreshProcedureList() {
    const ProcedureStore& store = engine_.Procedures();
    const int count = store.ProcedureCount();
    GlobalSettings& g = Globals();
    if (g.CurrentProcedure == -1) g.CurrentProcedure = 0;
    if (g.CurrentProcedure >= count) g.CurrentProcedure = std::max(0, count - 1);
    if (!text_) return;
    QStringList headers;
    for (int i = 0; i < count; ++i)
        headers << ToQt(store.GetHeader(i));
    text_->ShowProcedureHeaders(headers, g.CurrentProcedure);
    text_->ShowProcedureText(EditorTextOf(store, g.CurrentProcedure));
    text_->Recolour();
}
void ProcedureEditor::AddProcedure(const std::string& name) {
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) return;
    const std::string header = name.substr(first);
    ProcedureStore& store = engine_.Procedures();
    if (store.FindProcedure(SplitFirstWord(header).first) < 0) {
        const int index = store.ProcedureCount();
        store.AddProcedure(header, std::string());
        Globals().CurrentProcedure = index;
    } else if (PlatformLower(SplitFirstWord(header).first) !=
               PlatformLower(Globals().MainProcedureName)) {
        CurrentDialogs().ShowMessage(LanguageText(ProcedureExistsId), LanguageText(InformationId));
    }
    RefreshProcedureList();
}

// A name that is taken or blank adds nothing, and then no other procedure
// may receive the body.
void ProcedureEditor::AddProcedureWithBody(const std::string& name, const std::string& body) {
    ProcedureStore& store = engine_.Procedures();
    const int before = store.ProcedureCount();
    AddProcedure(name);
    if (store.ProcedureCount() == before) return;
    store.SetBody(before, body);
    changed_();
    RefreshProcedureList();
}

void ProcedureEditor::AddProcedureAsk() {
    StoreEditorIntoProcedure();
    const QString name =
        CurrentDialogs().AskText(LanguageText(EnterProcedureNameId), QString(),
                                 LanguageText(InputId), LanguageText(OkId), LanguageText(CancelId));
    if (!name.isEmpty()) {
        AddProcedure(FromQt(name));
        changed_();
    }
}

// A new name that another procedure already has is refused: the second of
// two procedures of one name could never be called.
void ProcedureEditor::RenameProcedureAsk() {
    ShowProcedure(-1);
    ProcedureStore& store = engine_.Procedures();
    const int current = Globals().CurrentProcedure;
    const QString old = ToQt(store.GetHeader(current));
    const QString answer =
        CurrentDialogs().AskText(LanguageText(EnterProcedureNameId), old, LanguageText(InputId),
                                 LanguageText(OkId), LanguageText(CancelId));
    if (answer.isEmpty() || answer == old) return;
    const std::string header = FromQt(answer);
    const int existing = store.FindProcedure(SplitFirstWord(header).first);
    if (existing >= 0 && existing != current) {
        CurrentDialogs().ShowMessage(LanguageText(ProcedureExistsId), LanguageText(InformationId));
        return;
    }
    store.SetHeader(current, header);
    changed_();
    RefreshProcedureList();
}

void ProcedureEditor::EnterArgumentsAsk() {
    ShowProcedure(-1);
    ProcedureStore& store = engine_.Procedures();
    const int current = Globals().CurrentProcedure;
    const QString old = ToQt(store.GetArguments(current));
    const QString answer =
        CurrentDialogs().AskText(LanguageText(EnterArgumentListId), old, LanguageText(InputId),
                                 LanguageText(OkId), LanguageText(CancelId));
    if (answer.isEmpty() || answer == old) return;
    store.SetArguments(current, FromQt(answer));
    changed_();
    RefreshProcedureList();
}

// With one procedure or none there is nothing to choose: the message says
// so and the main procedure stays. The editor is stored first so that the
// text being edited is not lost when the indices move.
// The main procedure is never offered: deleting it would silently make
// another procedure the main one.
void ProcedureEditor::DeleteProcedureAsk() {
    ProcedureStore& store = engine_.Procedures();
    QStringList names;
    for (int i = 1; i < store.ProcedureCount(); ++i)
        names << ToQt(store.GetHeader(i));
    if (names.isEmpty()) {
        CurrentDialogs().ShowMessage(LanguageText(DeletableProceduresId),
                                     LanguageText(InformationId));
        return;
    }
    const int chosen = CurrentDialogs().ChooseProcedure(names);
    if (chosen < 0 || chosen >= names.size()) return;
    const int index = chosen + 1;
    StoreEditorIntoProcedure();
    store.DeleteProcedure(index);
    RefreshProcedureList();
    changed_();
}

// Recovery copies ---------------------------------------------------------

} // namespace mivarelo
