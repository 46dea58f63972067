#include "shell/ProgramDocument.h"

#include "core/ConversionReport.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/ProcedureStore.h"
#include "core/ProgramFiles.h"
#include "core/ProgramIO.h"
#include "engine/LogoEngine.h"
#include "shell/ErrorNavigator.h"
#include "shell/ExamplesMenu.h"
#include "shell/MainActions.h"
#include "shell/ProcedureEditor.h"
#include "shell/RecoveryStore.h"
#include "widgets/Dialogs.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QSaveFile>
#include <QSettings>
#include <QThread>

#include <algorithm>
#include <array>

namespace mivarelo {

namespace {

constexpr int RecoveryIntervalMs = 30'000;

QStringList OpenFilters() {
    return {LanguageText(MivareloProgramFilterId), LanguageText(LogoProgramFilterId)};
}

QStringList SaveFilters() {
    return OpenFilters() << LanguageText(BitmapPictureFilterId) << LanguageText(PngPictureFilterId);
}

// The kind of file an extension names, in any letter case; `fallback` for
// a name with another extension.
int KindOfExtension(const QString& path, int fallback) {
    static const QStringList extensions = {"elg", "lgo", "bmp", "png"};
    const qsizetype k = extensions.indexOf(QFileInfo(path).suffix().toLower());
    return k < 0 ? fallback : static_cast<int>(k) + 1;
}

const char* ExtensionOf(int kind) {
    static const std::array<const char*, 4> extensions = {".elg", ".lgo", ".bmp", ".png"};
    return kind >= 1 && kind <= 4 ? extensions[kind - 1] : extensions[0];
}

// Why a file could not be read, as the id of its text. A folder, a device
// or a FIFO is never opened (see core/ProgramFiles.h), nor a file larger
// than its kind's limit.
int ReadFailureReason(const QString& path, bool logoText) {
    const QFileInfo info(path);
    if (!info.exists()) return DoesNotExistId;
    if (!info.isFile()) return NotRegularFileReasonId;
    if (!info.isReadable()) return NoReadPermissionId;
    const std::uintmax_t limit = logoText ? LogoTextSizeLimit : ProgramFileSizeLimit;
    if (static_cast<std::uintmax_t>(info.size()) > limit)
        return logoText ? LogoFileTooLargeId : ProgramTooLargeId;
    return NotAProgramId;
}

} // namespace

// The file is read and prepared on a thread of its own, so that a large
// program does not stop the window: it goes on painting and its timers
// tick. The user's input waits until the program is in, so that nothing
// acts on a half-read program; a file handed over meanwhile waits as well
// (Loading()).
bool ProgramDocument::ReadOffTheWindow(const std::function<bool()>& read) {
    bool result = false;
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            result = read();
        } catch (...) {
            result = false;
        }
    }));
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    loading_ = true;
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    loading_ = false;
    return result;
}

ProgramDocument::ProgramDocument(LogoEngine& engine, ProcedureEditor& procedures,
                                 ErrorNavigator& errors, std::function<bool()> mayLeave,
                                 QObject* parent)
    : QObject(parent), engine_(engine), procedures_(procedures), errors_(errors),
      mayLeave_(std::move(mayLeave)) {
    recent_.Load();
}

ProgramDocument::~ProgramDocument() {
    recent_.Save();
}

void ProgramDocument::NewProgram() {
    engine_.Procedures().ClearAll();
    engine_.Screen().ResetTurtle();
    engine_.Screen().TakeRefreshRequest();
    procedures_.ClearEditor();
    Globals().CurrentProcedure = -1;
    procedures_.AddProcedure(Globals().MainProcedureName);
    emit PictureReset();
}

void ProgramDocument::ClearProgram() {
    engine_.Procedures().ClearProgram();
    engine_.Screen().ResetTurtle();
    engine_.Screen().TakeRefreshRequest();
    Globals().CurrentProcedure = 0;
    procedures_.RefreshProcedureList();
    emit Cleared();
}

void ProgramDocument::ConnectActions(const MainActions& a, ExamplesMenu& examples) {
    connect(a.OpenAction, &QAction::triggered, this, &ProgramDocument::OpenAsk);
    connect(a.SaveAction, &QAction::triggered, this, &ProgramDocument::SaveAs);
    connect(a.FileMenu, &QMenu::aboutToShow, this, [this, &a] { ShowRecentFiles(a); });
    connect(&examples, &ExamplesMenu::ExampleChosen, this, &ProgramDocument::OpenPath);
    for (int i = 0; i < a.MRU.size(); ++i)
        connect(a.MRU[i], &QAction::triggered, this,
                [this, i] { OpenPath(recent_.Entries().value(i)); });
    connect(a.SamplesHelpAction, &QAction::triggered, this,
            [this, &examples] { OpenSamples(examples.Folder()); });
}

void ProgramDocument::StartRecovery(std::unique_ptr<RecoveryStore> store) {
    recovery_ = std::move(store);
    recoveryWriter_.setMaxThreadCount(1);
    OfferRecoveryCopies();
    recoveryTimer_.setInterval(RecoveryIntervalMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, &ProgramDocument::QueueRecoveryCopy,
            Qt::UniqueConnection);
    recoveryTimer_.start();
}

// At rest the editor's text goes into the program first; during a run the
// program already holds it.
void ProgramDocument::WriteRecoveryCopy() {
    if (!recovery_ || !changed_) return;
    if (!Globals().Running && !Globals().RunActive) procedures_.StoreEditorIntoProcedure();
    recoveryWriter_.waitForDone();
    recovery_->Write(engine_.Procedures(), path_);
}

void ProgramDocument::QueueRecoveryCopy() {
    if (!recovery_ || !changed_) return;
    if (!Globals().Running && !Globals().RunActive) procedures_.StoreEditorIntoProcedure();
    recoveryWriter_.start([store = recovery_, program = engine_.Procedures(), path = path_] {
        store->Write(program, path);
    });
}

void ProgramDocument::DropRecoveryCopy() {
    if (!recovery_) return;
    recoveryWriter_.waitForDone();
    recovery_->Remove();
}

// Restore brings the newest copy back as a changed program under its own
// file name; Discard deletes it; Later keeps it for the next start.
void ProgramDocument::OfferRecoveryCopies() {
    for (const RecoveryStore::Entry& entry : recovery_->Pending()) {
        const QString name = entry.originalPath.isEmpty()
                                 ? LanguageText(MainProcedureNameId)
                                 : QDir::toNativeSeparators(entry.originalPath);
        const int answer = CurrentDialogs().AskYesNoCancel(
            LanguageText(RestoreQuestionId)
                .arg(name, QLocale().toString(entry.time, QLocale::ShortFormat)),
            LanguageText(RecoverProgramId), LanguageText(RestoreId), LanguageText(DiscardId),
            LanguageText(LaterId));
        if (answer < 0) continue;
        if (answer == 0) {
            RecoveryStore::Discard(entry);
            continue;
        }
        ProcedureStore restored;
        if (!RecoveryStore::Load(entry, restored) || !CompleteProcedures(restored)) continue;
        NewProgram();
        engine_.Procedures().Replace(restored.Headers(), restored.Bodies());
        Globals().CurrentProcedure = 0;
        procedures_.RefreshProcedureList();
        emit Replaced();
        SetPath(entry.originalPath);
        changed_ = true;
        WriteRecoveryCopy();
        RecoveryStore::Discard(entry);
        return;
    }
}

// The window's title names the program's file.
void ProgramDocument::SetPath(const QString& path) {
    path_ = path;
    emit PathChanged(path);
}

bool ProgramDocument::ConfirmDiscard() {
    if (mayLeave_ && !mayLeave_()) return false;
    if (!changed_) return true;
    procedures_.StoreEditorIntoProcedure();
    const int answer = CurrentDialogs().AskYesNoCancel(
        LanguageText(ProgramChangedId), LanguageText(SaveProgramId), LanguageText(YesId),
        LanguageText(NoId), LanguageText(CancelId));
    if (answer == 1) return SaveAs();
    if (answer != 0) return false;
    DropRecoveryCopy();
    return true;
}

bool ProgramDocument::OpenFile(const QString& path, int kind) {
    if (!ConfirmDiscard()) return false;
    ProcedureStore loaded;
    const std::string file = path.toStdString();
    ConversionReport report;
    ProgramDamage damage;
    const bool read = ReadOffTheWindow([&] {
        const bool whole = kind == LogoKind
                               ? ImportLogoText(loaded, file, LogoTextKind::Detect, &report)
                               : LoadProgram(loaded, file, &damage);
        return whole && CompleteProcedures(loaded);
    });
    lastOpenDamaged_ = damage.truncated;
    if (!read) {
        ShowFileError(CouldNotOpenFileId, path, ReadFailureReason(path, kind == LogoKind));
        return false;
    }
    RememberFolder(path);
    NewProgram();
    engine_.Procedures().Replace(loaded.Headers(), loaded.Bodies());
    recent_.Add(path);
    changed_ = false;
    SetPath(path);
    Globals().CurrentProcedure = 0;
    procedures_.RefreshProcedureList();
    emit Replaced();
    if (damage.truncated) ShowDamage(path, damage);
    emit Opened();
    errors_.AddReport(report);
    return true;
}

// A file that ends before its own structure says it should is shown with
// what could be read, the procedures it cut named, and the program marked
// changed: saving it as it is would make the damage permanent unasked.
void ProgramDocument::ShowDamage(const QString& path, const ProgramDamage& damage) {
    changed_ = true;
    QStringList names;
    for (const std::string& name : damage.procedures)
        names << ToQt(name);
    CurrentDialogs().ShowMessage(QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                     LanguageText(FileEndsEarlyId) + u' ' + names.join(u", "),
                                 LanguageText(ErrorCaptionId));
}

// The kind is judged without regard to case, but the path is opened as
// given: on most file systems letter case matters.
bool ProgramDocument::OpenPath(const QString& path) {
    if (path.isEmpty()) return false;
    return OpenFile(path, IsLogoTextPath(path.toStdString()) ? LogoKind : ProgramKind);
}

void ProgramDocument::OpenAsk() {
    int kind = ProgramKind;
    const QString path = CurrentDialogs().ChooseOpenFile(LanguageText(OpenFileId), LastFolder(),
                                                         OpenFilters(), &kind);
    if (!path.isEmpty()) OpenFile(path, kind);
}

bool ProgramDocument::SaveAs() {
    int kind = ProgramKind;
    QString path = CurrentDialogs().ChooseSaveFile(LanguageText(SaveFileId), LastFolder(),
                                                   SaveFilters(), &kind);
    if (path.isEmpty()) return false;
    // The filter only adds an extension to a name without one; a name's own
    // extension says what kind of file it becomes.
    path = WithExtension(path, ExtensionOf(kind));
    kind = KindOfExtension(path, kind);
    procedures_.ShowProcedure(-1);
    RememberFolder(path);
    if (kind == BitmapKind || kind == PngKind) {
        WritePicture(path, kind);
        return false;
    }
    if (!WriteProgramFile(path, kind)) return false;
    recent_.Add(path);
    changed_ = false;
    SetPath(path);
    DropRecoveryCopy();
    return true;
}

// Plain Logo files hold English commands: the program is rewritten into
// English long commands first, and stays so. A procedure holding the byte
// that separates the native format's fields cannot be stored there.
bool ProgramDocument::WriteProgramFile(const QString& path, int kind) {
    const ProcedureStore& store = engine_.Procedures();
    const std::string file = path.toStdString();
    if (kind == LogoKind) {
        emit EnglishLongNeeded();
        int keptAsWritten = 0;
        if (ExportLogoText(store, file, &keptAsWritten)) {
            if (keptAsWritten > 0)
                CurrentDialogs().ShowMessage(LanguageText(KeptAsWrittenId) + u' ' +
                                                 QString::number(keptAsWritten),
                                             LanguageText(InformationId));
            return true;
        }
    } else {
        const auto holdsSeparator = [](const std::string& text) {
            return text.find(ProgramSeparator) != std::string::npos;
        };
        if (std::ranges::any_of(store.Headers(), holdsSeparator) ||
            std::ranges::any_of(store.Bodies(), holdsSeparator)) {
            ShowFileError(CouldNotSaveFileId, path, UnsavableLetterReasonId);
            return false;
        }
        if (::mivarelo::SaveProgram(store, file)) return true;
    }
    ShowFileError(CouldNotSaveFileId, path, CannotBeWrittenId);
    return false;
}

// The picture as a 24-bit BMP or as PNG, written beside the target and then
// renamed over it, so a failed save leaves the old file.
bool ProgramDocument::WritePicture(const QString& path, int kind, const QRect& area) {
    const QImage& whole = engine_.Screen().Surface().Image();
    const QImage picture = area.isNull() ? whole : whole.copy(area);
    QSaveFile file(path);
    const bool ok =
        file.open(QIODevice::WriteOnly) &&
        (kind == BitmapKind ? picture.convertToFormat(QImage::Format_RGB888).save(&file, "BMP")
                            : picture.save(&file, "PNG")) &&
        file.commit();
    if (!ok) ShowFileError(CouldNotSaveFileId, path, CannotBeWrittenId);
    return ok;
}

void ProgramDocument::ShowFileError(int whatId, const QString& path, int reasonId) {
    CurrentDialogs().ShowMessage(LanguageText(whatId) + ": " + QDir::toNativeSeparators(path) +
                                     "\n" + LanguageText(reasonId),
                                 LanguageText(ErrorCaptionId));
}

QString ProgramDocument::WithExtension(const QString& path, const char* extension) {
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1String(extension) : path;
}

QString ProgramDocument::CommandLineFile(const QStringList& arguments) {
    if (arguments.isEmpty()) return {};
    const QString joined = arguments.join(u' ');
    if (QFileInfo(joined).isFile()) return joined;
    if (QFileInfo(arguments.first()).isFile()) return arguments.first();
    return {};
}

void ProgramDocument::OpenCommandLineFile(const QStringList& arguments) {
    const QString file = CommandLineFile(arguments);
    if (!file.isEmpty()) OpenPath(file);
}

void ProgramDocument::ShowRecentFiles(const MainActions& actions) {
    const QStringList& entries = recent_.Entries();
    bool any = false;
    for (int i = 0; i < actions.MRU.size(); ++i) {
        QAction* item = actions.MRU[i];
        const QString path = entries.value(i);
        item->setVisible(!path.isEmpty());
        item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        any = any || !path.isEmpty();
    }
    actions.MRUSeparator->setVisible(any);
}

QString ProgramDocument::LastFolder() const {
    return QSettings().value(QStringLiteral("LastFolder"), QDir::homePath()).toString();
}

void ProgramDocument::RememberFolder(const QString& path) {
    QSettings().setValue(QStringLiteral("LastFolder"), QFileInfo(path).absolutePath());
}

void ProgramDocument::OpenSamples(const QString& folder) {
    int kind = ProgramKind;
    const QString path =
        CurrentDialogs().ChooseOpenFile(LanguageText(SamplesId), folder, OpenFilters(), &kind);
    if (!path.isEmpty()) OpenFile(path, kind);
}

} // namespace mivarelo
