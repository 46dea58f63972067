#include "shell/MainWindow.h"

#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "modes/ButtonCommandWindow.h"
#include "modes/TextCommandWindow.h"
#include "shell/ClassGallery.h"
#include "shell/CommandDocks.h"
#include "shell/DocumentExports.h"
#include "shell/DrawingView.h"
#include "shell/DrawingWindow.h"
#include "shell/ErrorNavigator.h"
#include "shell/ExamplesMenu.h"
#include "shell/FileAssociation.h"
#include "shell/HelpWindow.h"
#include "shell/InterfaceLanguage.h"
#include "shell/MainActions.h"
#include "shell/OptionsMenu.h"
#include "shell/ProcedureEditor.h"
#include "shell/ProgramDocument.h"
#include "shell/RunControl.h"
#include "shell/RunDriver.h"
#include "shell/RunWatcher.h"
#include "shell/StatusPanels.h"
#include "shell/VariableInspector.h"
#include "widgets/Dialogs.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QShowEvent>
#include <QStatusBar>

#include <utility>

namespace mivarelo {

namespace {

constexpr int FocusDelayMs = 100;
constexpr int StatusRefreshMs = 33;
constexpr int StatusMessageMs = 8000;
// A file handed over while another is being read is tried again after this.
constexpr int LoadRetryMs = 100;
// The command panel's first height: a few editor lines and the console,
// leaving most of a small screen to the picture.
constexpr int CommandDockHeight = 190;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Mivarelo"));
    resize(939, 594);
    previousNotifier_ = SetNotifier(this);
    GlobalSettings& g = Globals();
    g.CurrentProcedure = -1;
    driver_ = new RunDriver(engine_.Runner(), this);
    focusTimer_.setSingleShot(true);
    focusTimer_.setInterval(FocusDelayMs);
    connect(&focusTimer_, &QTimer::timeout, this, &MainWindow::FocusAfterRun);
    connect(driver_, &RunDriver::SliceDone, this, &MainWindow::FlushRefresh);
    setAcceptDrops(true);
    BuildWindow();
    BuildParts();
    ConnectActions();
    options_->SetTurtleLook(0);
    options_->SetTurnCommandType(1);
    actions_->TraceMouseAction->setChecked(g.TraceMouse);
    LoadInterface();
}

// A run still going is stopped and unwound before the window goes, while
// the window can still hear it end.
MainWindow::~MainWindow() {
    delete run_;
    // The watcher goes first: the window's own teardown hides the inspector
    // dock, whose signal must not reach a half-destroyed window.
    delete watcher_;
    watcher_ = nullptr;
    ConnectTextWindow(nullptr);
    delete commandWindow_;
    commandWindow_ = nullptr;
    SetNotifier(previousNotifier_);
}

void MainWindow::BuildWindow() {
    actions_ = std::make_unique<MainActions>(menuBar(), this);
    for (QAction* action : menuBar()->actions())
        addAction(action);
    addAction(actions_->NextErrorAction);
    // The status bar spans the window's foot, below the docks, so that no
    // dock squeezes its panels; on a narrow screen the last ones are cut off
    // rather than the window growing beyond the screen.
    statusBar_ = new QStatusBar(this);
    statusBar_->setSizeGripEnabled(false);
    panels_ = std::make_unique<StatusPanels>(statusBar_);
    setStatusBar(statusBar_);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setBackgroundRole(QPalette::Dark);
    setCentralWidget(scrollArea_);
    docks_ = new CommandDocks(this);
}

// The program's document, its procedures, its error list and its exports.
void MainWindow::BuildParts() {
    procedures_ = new ProcedureEditor(
        engine_, [this] { SetProgramChanged(true); }, this);
    errors_ = new ErrorNavigator(
        engine_, *procedures_, [this] { return actions_->ShowCommandWindowAction->isChecked(); },
        this);
    document_ = new ProgramDocument(
        engine_, *procedures_, *errors_,
        [this] { return !commandWindow_ || commandWindow_->CanLeave(); }, this);
    exports_ = new DocumentExports(engine_, *document_, *procedures_, *errors_, this);
    gallery_ = new ClassGallery(this);
    options_ = new OptionsMenu(*this);
    run_ = new RunControl(engine_, *driver_, this);
    connect(run_, &RunControl::RunBegan, errors_, &ErrorNavigator::ForgetFirstError);
    connect(run_, &RunControl::RunningChanged, this, &MainWindow::RunningChanged);
    connect(run_, &RunControl::RunFinished, this, &MainWindow::RunFinished);
    examples_ = new ExamplesMenu(actions_->ExamplesSubmenu, ExamplesMenu::DefaultFolder(), this);
    ConnectDocument();
}

// The window's title names the program's file. A program from a file or a
// recovery copy replaces a new one; a classic import may have turned the
// precise turtle on; with Run When Opened an opened program runs at once.
void MainWindow::ConnectDocument() {
    connect(document_, &ProgramDocument::PathChanged, this, [this](const QString& path) {
        setWindowTitle(path.isEmpty() ? QStringLiteral("Mivarelo")
                                      : QFileInfo(path).fileName() + QStringLiteral(" - Mivarelo"));
    });
    connect(document_, &ProgramDocument::PictureReset, this, [this] {
        if (drawingWindow_) drawingWindow_->RefreshWindow(true);
    });
    connect(document_, &ProgramDocument::Cleared, this, [this] {
        if (drawingWindow_) drawingWindow_->RefreshWindow(true);
        if (view_) view_->Reset();
    });
    connect(document_, &ProgramDocument::Replaced, this, [this] {
        if (commandWindow_) commandWindow_->RefreshProcedures();
        actions_->PreciseTurtleAction->setChecked(Globals().PreciseTurtle);
    });
    connect(document_, &ProgramDocument::Opened, this, [this] {
        if (actions_->RunWhenOpenedAction->isChecked()) Run();
    });
    connect(document_, &ProgramDocument::EnglishLongNeeded, this,
            [this] { options_->SetDialect(false, true); });
    connect(exports_, &DocumentExports::Saved, this,
            [this](const QString& message) { statusBar_->showMessage(message, StatusMessageMs); });
    ConnectClassGallery();
}

// The class folder's programs run while the window goes on; the action
// waits until their page is made.
void MainWindow::ConnectClassGallery() {
    QAction* action = actions_->OpenClassFolderAction;
    connect(action, &QAction::triggered, this,
            [this] { gallery_->ChooseAndRun(document_->LastFolder()); });
    connect(gallery_, &ClassGallery::Started, this, [this, action] {
        action->setEnabled(false);
        statusBar_->showMessage(LanguageText(ClassFolderRunningId));
    });
    connect(gallery_, &ClassGallery::Finished, this,
            [this, action](bool opened, const QString& message) {
                action->setEnabled(true);
                statusBar_->clearMessage();
                if (!opened) CurrentDialogs().ShowMessage(message, LanguageText(ErrorCaptionId));
            });
}

QDockWidget* MainWindow::CommandDock() const {
    return docks_->Current();
}

void MainWindow::ShowRemembered() {
    const bool restored = docks_->Restore();
    UpdateActions();
    if (restored)
        show();
    else
        showMaximized();
}

// The home point stands in the middle of the view once the window has its
// size, unless a run has placed the view already.
void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!view_->Placed())
        QTimer::singleShot(0, this, [this] {
            if (!view_->Placed()) view_->CentreOnTurtle();
        });
}

void MainWindow::ConnectActions() {
    MainActions& a = *actions_;
    for (QAction* action : findChildren<QAction*>())
        action->setShortcutContext(Qt::ApplicationShortcut);
    document_->ConnectActions(a, *examples_);
    exports_->ConnectActions(a);
    procedures_->ConnectActions(a);
    connect(a.SetDefaultSoftwareAction, &QAction::triggered, this, [] {
        const FileAssociation::Result result = FileAssociation::Register();
        CurrentDialogs().ShowMessage(result.message, QStringLiteral("Mivarelo"));
    });
    connect(a.ResetAction, &QAction::triggered, this, &MainWindow::Reset);
    connect(a.ExitAction, &QAction::triggered, this, &QWidget::close);
    connect(a.StopAction, &QAction::triggered, this, &MainWindow::StopRun);
    connect(a.NextErrorAction, &QAction::triggered, errors_, &ErrorNavigator::ShowNextError);
    connect(a.CommandModeAction, &QAction::triggered, this, &MainWindow::SwitchToCommandMode);
    connect(a.HelpContentsAction, &QAction::triggered, this, [this] { ShowHelp(false); });
    connect(a.CommandHelpAction, &QAction::triggered, this, [this] { ShowHelp(true); });
    connect(a.AboutAction, &QAction::triggered, this,
            [] { CurrentDialogs().ShowAbout(QStringLiteral("Mivarelo")); });
    connect(a.GraphicalModeAction, &QAction::triggered, this, &MainWindow::SwitchToGraphicalMode);
    connect(a.RunProcedureAction, &QAction::triggered, this, &MainWindow::Run);
    options_->ConnectActions();
    ConnectWindowActions();
}

// The Options and Modes entries that show, hide or repaint parts of the window.
void MainWindow::ConnectWindowActions() {
    MainActions& a = *actions_;
    GlobalSettings& g = Globals();
    connect(a.ShowErrorsAction, &QAction::toggled, this, [this](bool on) {
        if (TextCommandWindow* text = TextWindow()) text->SetErrorsShown(on);
    });
    connect(a.QuickCommandsAction, &QAction::toggled, this, [this, &g](bool on) {
        g.QuickCommands = on;
        if (!on) drawingWindow_->RefreshWindow(true);
    });
    connect(a.ShowStatusBarAction, &QAction::toggled, statusBar_, &QWidget::setVisible);
    connect(a.ShowCommandWindowAction, &QAction::toggled, this, &MainWindow::UpdateActions);
    connect(a.RefreshScreenAction, &QAction::triggered, this,
            [this] { drawingWindow_->RefreshWindow(true); });
}

// The interface language is loaded first, so that the main procedure made
// by the switch to command mode carries the language's name.
void MainWindow::LoadInterface() {
    const bool english = Globals().EnglishInterface;
    (english ? actions_->EnglishInterfaceAction : actions_->TurkishInterfaceAction)
        ->setChecked(true);
    LoadLanguageModule(&engine_.Procedures());
    Globals().MainProcedureName = FromQt(LanguageText(MainProcedureNameId));
    drawingWindow_ = new DrawingWindow(engine_, scrollArea_);
    connect(drawingWindow_, &DrawingWindow::MouseMoved, this,
            [this](QPoint position) { panels_->ShowMouse(position); });
    view_ = new DrawingView(scrollArea_, drawingWindow_, engine_.Screen(), this);
    view_->ConnectActions(*actions_);
    watcher_ = new RunWatcher(*this, *driver_);
    connect(watcher_, &RunWatcher::WatchingChanged, this, &MainWindow::UpdateActions);
    splitDockWidget(docks_->TextDock(), &watcher_->Inspector(), Qt::Horizontal);
    watcher_->Inspector().hide();
    SwitchToCommandMode();
    resizeDocks({docks_->TextDock()}, {CommandDockHeight}, Qt::Vertical);
    SetRunning(false);
    ApplyLanguage(english);
}

bool MainWindow::Running() const {
    return Globals().Running;
}

void MainWindow::Run() {
    SetRunning(true);
    errors_->BeginRun();
    procedures_->StoreEditorIntoProcedure();
    document_->QueueRecoveryCopy();
    const TextCommandWindow* text = TextWindow();
    RunProcedure(text ? text->SelectedProcedure() : 0);
}

void MainWindow::RunProcedure(int index) {
    if (!Running()) SetRunning(true);
    run_->RunProcedure(index);
    if (!engine_.Runner().Busy()) SetRunning(false);
}

bool MainWindow::SetMainProcedureAndRun(const std::string& text) {
    document_->SetChanged(true);
    if (!run_->RunAppended(text)) return false;
    document_->QueueRecoveryCopy();
    return true;
}

bool MainWindow::RunText(const std::string& text) {
    return run_->RunText(text);
}

void MainWindow::StopRun() {
    driver_->Stop();
}

// Once per slice: the picture's changed part and, at most at frame rate,
// the status bar.
void MainWindow::FlushRefresh() {
    if (const RefreshRequest refresh = run_->TakeRefresh(); refresh != RefreshRequest::None) {
        drawingWindow_->RefreshWindow(refresh == RefreshRequest::Forced);
        view_->FollowDuringRun((watcher_ && watcher_->Watching()) || Globals().CommandMode == 1);
    }
    if (!statusClock_.isValid() || statusClock_.elapsed() >= StatusRefreshMs) {
        RefreshStatusBar();
        statusClock_.restart();
    }
}

// The whole run has ended: the drawing is brought into view, and a file
// handed over meanwhile opens. A line run from the console or the reference
// leaves the focus where the user typed or clicked.
void MainWindow::RunFinished(bool textRun) {
    if (!textRun && actions_->ShowCommandWindowAction->isChecked()) focusTimer_.start();
    view_->RunEnded();
    if (!pendingFile_.isEmpty())
        QTimer::singleShot(0, this, [this] {
            statusBar_->clearMessage();
            document_->OpenPath(std::exchange(pendingFile_, QString()));
        });
    SetRunning(false);
}

void MainWindow::RunningChanged(bool running) {
    UpdateActions();
    if (commandWindow_) {
        commandWindow_->SetIdle(!running);
        commandWindow_->RunStateChanged(!running);
    }
    if (!running) FollowTurtle();
}

void MainWindow::SetRunning(bool running) {
    GlobalSettings& g = Globals();
    g.Running = running;
    UpdateActions();
    if (TextCommandWindow* text = TextWindow())
        text->ShowRunState(running, watcher_ && watcher_->Watching());
    RefreshStatusBar();
    if (!running) {
        g.RefreshSuspended = false;
        run_->TakeRefresh();
        drawingWindow_->RefreshWindow(true);
        emit RunEnded();
    }
}

// A line that the graphical mode runs is a run too: Stop reaches it, and
// nothing that replaces the program may start meanwhile. A watched run
// keeps the command window in sight, its editor read-only.
void MainWindow::UpdateActions() {
    const bool running = Running();
    const bool busy = running || Globals().RunActive;
    const bool watching = watcher_ && watcher_->Watching();
    actions_->StopAction->setEnabled(busy);
    actions_->PauseAction->setEnabled(busy);
    for (QAction* action : actions_->IdleActions())
        action->setEnabled(!busy);
    actions_->CommandDialectMenu->setEnabled(!busy);
    if (TextCommandWindow* text = TextWindow(); text && running) text->ShowRunState(true, watching);
    // The panel stays in its dock during a run, so that the view keeps its
    // size; its controls are disabled instead.
    const bool shown = commandWindow_ && actions_->ShowCommandWindowAction->isChecked();
    docks_->ShowCurrent(shown);
}

void MainWindow::FollowTurtle() {
    const TurtleState& turtle = engine_.Screen().State();
    if (commandWindow_) commandWindow_->TurtleMoved(turtle.Position());
    if (Globals().TraceMouse) view_->TraceTurtle();
}

QPoint MainWindow::PictureToGlobal(QPoint picturePoint) const {
    return drawingWindow_->mapToGlobal(drawingWindow_->ToWindow(picturePoint));
}

// With an empty error list a clean run stays silent: there is nothing to jump to.
void MainWindow::FocusAfterRun() {
    focusTimer_.stop();
    TextCommandWindow* text = TextWindow();
    if (!actions_->ShowCommandWindowAction->isChecked() || !text) return;
    text->FocusEditor();
    errors_->ShowFirstError();
}

// A changed program is not thrown away unasked: the graphical panel asks in
// ConfirmReset, command mode here. In graphical mode the fresh program gets
// the panel's start-up line again, as after a restart.
void MainWindow::Reset() {
    if (commandWindow_ && !commandWindow_->ConfirmReset()) return;
    if (Globals().CommandMode == 0 && !ConfirmDiscard()) return;
    document_->ClearProgram();
    document_->SetChanged(false);
    document_->SetPath(QString());
    if (!commandWindow_) return;
    commandWindow_->RefreshProcedures();
    if (Globals().CommandMode == 1) commandWindow_->MainFormAttached();
}

bool MainWindow::CloseCommandWindow() {
    if (commandWindow_) {
        if (!ConfirmDiscard()) return false;
        ConnectTextWindow(nullptr);
        commandWindow_->hide();
        delete commandWindow_;
        commandWindow_ = nullptr;
    }
    document_->NewProgram();
    document_->SetChanged(false);
    document_->SetPath(QString());
    return true;
}

bool MainWindow::SwitchToCommandMode() {
    if (!CloseCommandWindow()) return false;
    auto* form = new TextCommandWindow(docks_->TextDock());
    commandWindow_ = form;
    docks_->Place(form, false);
    form->SetMainForm(this);
    form->SetProcedureStore(&engine_.Procedures());
    Globals().CommandMode = 0;
    ConnectTextWindow(form);
    Relayout();
    UpdateActions();
    document_->ClearProgram();
    return true;
}

bool MainWindow::SwitchToGraphicalMode() {
    if (!CloseCommandWindow()) return false;
    auto* form = new ButtonCommandWindow(this);
    Globals().CommandMode = 1;
    commandWindow_ = form;
    docks_->Place(form, true);
    form->SetMainForm(this);
    Relayout();
    UpdateActions();
    form->setFocus(Qt::OtherFocusReason);
    return true;
}

void MainWindow::Relayout() {
    if (commandWindow_) commandWindow_->ArrangeControls();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Relayout();
}

// The text command window's procedures, errors, help and console lines go
// to the parts of the window that handle them.
void MainWindow::ConnectTextWindow(TextCommandWindow* text) {
    procedures_->SetTextWindow(text);
    errors_->SetTextWindow(text);
    if (!text) return;
    connect(text, &TextCommandWindow::ErrorHelpRequested, this,
            [this](int row) { Help().ShowErrorWord(errors_->OffendingWord(row)); });
    connect(text, &TextCommandWindow::WordHelpRequested, this,
            [this](const QString& word) { Help().ShowWord(word); });
    connect(text, &TextCommandWindow::LineEntered, this,
            [this](const QString& line) { RunText(FromQt(line)); });
    connect(text, &TextCommandWindow::FillProgress, this, [this](int percent) {
        statusBar_->showMessage(LanguageText(ShowingProcedureId).arg(percent));
    });
    connect(text, &TextCommandWindow::FillFinished, statusBar_, &QStatusBar::clearMessage);
    connect(run_, &RunControl::Printed, text, &TextCommandWindow::AppendOutput);
    text->SetErrorsShown(actions_->ShowErrorsAction->isChecked());
}

TextCommandWindow* MainWindow::TextWindow() const {
    return Globals().CommandMode == 0 ? qobject_cast<TextCommandWindow*>(commandWindow_) : nullptr;
}

void MainWindow::SetProgramChanged(bool changed) {
    document_->SetChanged(changed);
}

void MainWindow::ShowProcedure(int index) {
    procedures_->ShowProcedure(index);
}

void MainWindow::AddProcedureWithBody(const std::string& name, const std::string& body) {
    procedures_->AddProcedureWithBody(name, body);
}

bool MainWindow::ConfirmDiscard() {
    return document_->ConfirmDiscard();
}

std::string MainWindow::LastRunError() const {
    return errors_->FirstError();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (Running()) {
        engine_.Runner().RequestStop();
        engine_.Runner().RunToEnd(false);
    }
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    docks_->Save();
    document_->DropRecoveryCopy();
    if (help_) help_->close();
    event->accept();
}

// The window's texts in the language just loaded.
void MainWindow::ApplyLanguage(bool english) {
    if (commandWindow_) commandWindow_->RefreshLanguage();
    actions_->SetCaptions();
    watcher_->ApplyLanguage();
    ApplyQtTranslation(english);
    panels_->SizePanels();
    RefreshStatusBar();
    if (help_) help_->close();
}

// The command window and the procedure list show the program as it is now.
void MainWindow::RefreshProcedures() {
    if (commandWindow_) commandWindow_->RefreshProcedures();
    procedures_->RefreshProcedureList();
}

void MainWindow::ShowHelp(bool commands) {
    if (commands)
        Help().ShowCommands();
    else
        Help().ShowContents();
}

HelpWindow& MainWindow::Help() {
    if (!help_) {
        help_ = new HelpWindow(this);
        connect(help_, &HelpWindow::RunExample, this,
                [this](const QString& line) { RunText(FromQt(line)); });
    }
    return *help_;
}

// A file that comes during a run waits for its end, and the status bar says
// so at once; one that comes while another file is being read waits until
// that one is in.
void MainWindow::ReceiveFile(const QString& path) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    if (document_->Loading()) {
        QTimer::singleShot(LoadRetryMs, this, [this, path] { ReceiveFile(path); });
        return;
    }
    if (!Running() && !Globals().RunActive) {
        document_->OpenPath(path);
        return;
    }
    pendingFile_ = path;
    statusBar_->showMessage(LanguageText(OpensAfterRunId).arg(QDir::toNativeSeparators(path)));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Only the first of several dropped files is opened; nothing while running.
void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (Running() || urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    document_->OpenPath(urls.first().toLocalFile());
}

void MainWindow::RefreshStatusBar() {
    panels_->Refresh(engine_.Screen().State());
}

void MainWindow::ShowMessage(const std::string& text, const std::string& caption) {
    CurrentDialogs().ShowMessage(ToQt(text), ToQt(caption));
}

void MainWindow::Beep() {
    QApplication::beep();
}

} // namespace mivarelo
