#include "shell/OptionsMenu.h"

#include "core/CaseFold.h"
#include "core/CommandTable.h"
#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/Numbers.h"
#include "core/TextOps.h"
#include "core/Translation.h"
#include "core/VariableStore.h"
#include "engine/ColorValue.h"
#include "engine/LogoEngine.h"
#include "modes/TextCommandWindow.h"
#include "shell/DrawingWindow.h"
#include "shell/InterfaceLanguage.h"
#include "shell/MainActions.h"
#include "shell/MainWindow.h"
#include "shell/ProcedureEditor.h"
#include "shell/ProgramDocument.h"
#include "shell/VariableInspector.h"
#include "widgets/Dialogs.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QColor>
#include <QFileInfo>
#include <QSettings>

#include <array>
#include <vector>

namespace mivarelo {

namespace {

// The main procedure still called by the default name of the language left
// (`oldName`) takes the default name of the new one, keeping its arguments.
// A name the user chose stays, and so does the old one when another
// procedure already has the new name.
void RenameMainProcedure(ProcedureStore& store, const std::string& oldName,
                         const std::string& newName) {
    if (store.ProcedureCount() == 0 || oldName.empty() || newName.empty()) return;
    const auto [name, arguments] = SplitFirstWord(store.GetHeader(0));
    if (!PlatformEqualsIgnoreCase(name, oldName) || store.FindProcedure(newName) > 0) return;
    store.SetHeader(0, arguments.empty() ? newName : newName + ' ' + arguments);
}

} // namespace

OptionsMenu::OptionsMenu(MainWindow& window) : QObject(&window), window_(window) {}
void OptionsMenu::ConnectActions() {
    MainActions& a = window_.Actions();
    GlobalSettings& g = Globals();
    connect(a.TurkishLongAction, &QAction::triggered, this, [this] { SetDialect(true, true); });
    connect(a.TurkishShortAction, &QAction::triggered, this, [this] { SetDialect(true, false); });
    connect(a.EnglishLongAction, &QAction::triggered, this, [this] { SetDialect(false, true); });
    connect(a.EnglishShortAction, &QAction::triggered, this, [this] { SetDialect(false, false); });
    connect(a.TurtleImage1Action, &QAction::triggered, this, [this] { SetTurtleLook(0); });
    connect(a.TurtleImage2Action, &QAction::triggered, this, [this] { SetTurtleLook(1); });
    connect(a.TurtleCircleAction, &QAction::triggered, this, [this] { SetTurtleLook(3); });
    connect(a.TurtleOtherImagesAction, &QAction::triggered, this, [this] { SetTurtleLook(4); });
    const std::array<QAction*, 4> turns = {a.TurnSetHeadingAction, a.TurnClosestAction,
                                           a.TurnLeftAction, a.TurnRightAction};
    for (int k = 0; k < 4; ++k)
        connect(turns[k], &QAction::triggered, this, [this, k] { SetTurnCommandType(k); });
    for (const auto& [action, english] :
         {std::pair{a.EnglishInterfaceAction, true}, std::pair{a.TurkishInterfaceAction, false}})
        connect(action, &QAction::triggered, this, [this, english] {
            SetInterfaceLanguage(english);
            RememberInterfaceLanguage(english);
        });
    connect(a.UseDirectionsAction, &QAction::toggled, this, [this, &g](bool on) {
        g.UseDirections = on;
        SetInterfaceLanguage(g.EnglishInterface);
        if (CommandWindow* current = window_.CurrentCommandWindow()) current->RunStateChanged(true);
    });
    connect(a.ShowVariablesAction, &QAction::triggered, this, &OptionsMenu::ShowVariables);
    connect(a.ScreenColourAction, &QAction::triggered, this, &OptionsMenu::ChooseScreenColour);
    connect(a.InsertColourAction, &QAction::triggered, this, &OptionsMenu::InsertColour);
    connect(a.TraceMouseAction, &QAction::toggled, this, [&g](bool on) { g.TraceMouse = on; });
    connect(a.StopAtErrorsAction, &QAction::toggled, this, [&g](bool on) { g.StopAtErrors = on; });
    connect(a.CorrectErrorsAction, &QAction::toggled, this,
            [&g](bool on) { g.AutoCorrectErrors = on; });
    connect(a.AcceptSpaceAction, &QAction::toggled, this, [&g](bool on) { g.AcceptSpace = on; });
    ConnectPreciseTurtle();
    connect(a.CanUndoLastCommandAction, &QAction::toggled, this,
            [&g](bool on) { g.CanUndoLastCommand = on; });
}

// The precise turtle is an application setting, remembered between starts;
// the program files do not carry it.
void OptionsMenu::ConnectPreciseTurtle() {
    QAction* precise = window_.Actions().PreciseTurtleAction;
    const QString key = QStringLiteral("PreciseTurtle");
    precise->setChecked(QSettings().value(key, false).toBool());
    Globals().PreciseTurtle = precise->isChecked();
    connect(precise, &QAction::toggled, this, [key](bool on) {
        Globals().PreciseTurtle = on;
        QSettings().setValue(key, on);
    });
}

void OptionsMenu::SetDialect(bool turkish, bool isLong) {
    window_.ShowProcedure(-1);
    MainActions& a = window_.Actions();
    QAction* checked = turkish ? (isLong ? a.TurkishLongAction : a.TurkishShortAction)
                               : (isLong ? a.EnglishLongAction : a.EnglishShortAction);
    checked->setChecked(true);
    Globals().CommandDialect = (turkish ? 0 : 2) + (isLong ? 0 : 1);
    TranslateProgram(window_.Engine().Procedures(), turkish, isLong, false);
    window_.Document().SetChanged(true);
    window_.Procedures().ReloadEditor();
}

// The words the program itself writes into procedures (variable names,
// generated procedure names) follow the interface language, whole words only.
void OptionsMenu::SetInterfaceLanguage(bool english) {
    window_.Procedures().StoreEditorIntoProcedure();
    GlobalSettings& g = Globals();
    g.EnglishInterface = english;
    (english ? window_.Actions().EnglishInterfaceAction : window_.Actions().TurkishInterfaceAction)
        ->setChecked(true);
    std::vector<std::string> oldWords;
    for (int id = WordListFirstId; id <= WordListLastId; ++id)
        oldWords.push_back(GetLanguageString(id));
    ProcedureStore& store = window_.Engine().Procedures();
    LoadLanguageModule(&store);
    window_.ApplyLanguage(english);
    g.MainProcedureName = FromQt(LanguageText(MainProcedureNameId));
    RenameMainProcedure(store, oldWords[MainProcedureNameId - WordListFirstId],
                        g.MainProcedureName);
    for (int id = WordListFirstId; id <= WordListLastId; ++id) {
        const std::string& oldWord = oldWords[id - WordListFirstId];
        const std::string newWord = GetLanguageString(id);
        if (!oldWord.empty() && !newWord.empty() && oldWord != newWord)
            store.ReplaceWordInBodies(oldWord, newWord);
    }
    window_.RefreshProcedures();
}

void OptionsMenu::SetTurtleLook(int look) {
    GlobalSettings& g = Globals();
    if (look == 4) {
        const QString path = CurrentDialogs().ChooseOpenFile(
            LanguageText(OtherImageId), window_.Document().LastFolder(),
            {LanguageText(PictureFileFilterId)}, nullptr);
        if (path.isEmpty() || !QFileInfo::exists(path)) {
            window_.Actions().TurtleOtherImagesAction->setChecked(g.TurtleLook == 4);
            return;
        }
        g.TurtlePicturePath = FromQt(path);
    }
    g.TurtleLook = look;
    MainActions& a = window_.Actions();
    a.TurtleImage1Action->setChecked(look == 0);
    a.TurtleImage2Action->setChecked(look == 1);
    a.TurtleCircleAction->setChecked(look == 3);
    a.TurtleOtherImagesAction->setChecked(look == 4);
    if (window_.Drawing()) window_.Drawing()->RefreshWindow(true);
}

void OptionsMenu::SetTurnCommandType(int type) {
    Globals().TurnCommandType = type;
    const std::array<QAction*, 4> turns = {
        window_.Actions().TurnSetHeadingAction, window_.Actions().TurnClosestAction,
        window_.Actions().TurnLeftAction, window_.Actions().TurnRightAction};
    turns[type]->setChecked(true);
}

void OptionsMenu::ChooseScreenColour() {
    const ColorValue current = window_.Engine().Screen().State().ScreenColor;
    const std::optional<QColor> chosen = CurrentDialogs().ChooseColor(QColor(ToPixel(current)));
    if (!chosen) return;
    window_.Engine().Screen().ExecuteTurtleCommand(CodeOf(Keyword::SetScreenColorShort),
                                                   ColorToListText(FromPixel(chosen->rgb())));
    window_.Engine().Screen().TakeRefreshRequest();
    window_.Drawing()->RefreshWindow(true);
    window_.Run();
}

void OptionsMenu::ShowVariables() {
    QStringList names;
    QStringList values;
    if (const VariableStore* store = CurrentVariableStore()) {
        const VariableFrame& globals = store->Globals();
        const std::size_t count = globals.names ? globals.names->size() : 0;
        for (std::size_t k = 0; k < count; ++k) {
            const std::string& name = (*globals.names)[k];
            if (!VariableInspector::ShowsVariable(name)) continue;
            names << ToQt(name);
            if (globals.values && k < globals.values->size()) values << ToQt((*globals.values)[k]);
        }
    }
    CurrentDialogs().ShowVariables(names, values);
}

// The colour list as the normalizer writes lists: one blank inside each
// bracket and between the numbers.
void OptionsMenu::InsertColour() {
    TextCommandWindow* text = window_.TextWindow();
    if (!text) return;
    const ColorValue pen = window_.Engine().Screen().State().PenColor;
    const std::optional<QColor> chosen = CurrentDialogs().ChooseColor(QColor(ToPixel(pen)));
    if (!chosen) return;
    text->InsertAtCursor(ToQt(ColorToListText(FromPixel(chosen->rgb()))).trimmed());
}

} // namespace mivarelo
