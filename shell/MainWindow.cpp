#include "shell/MainWindow.h"

#include "core/CaseFold.h"
#include "core/ConversionReport.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "core/Numbers.h"
#include "core/ProgramFiles.h"
#include "core/ProgramIO.h"
#include "core/Translation.h"
#include "engine/ColorValue.h"
#include "engine/PaintedArea.h"
#include "widgets/CodeEditor.h"
#include "modes/CommandConsole.h"
#include "modes/ButtonCommandWindow.h"
#include "modes/TextCommandWindow.h"
#include "widgets/Dialogs.h"
#include "shell/FileAssociation.h"
#include "shell/InterfaceLanguage.h"
#include "shell/MainActions.h"
#include "shell/ProgramHtml.h"
#include "widgets/QtText.h"
#include "shell/RecoveryStore.h"
#include "shell/RunDriver.h"
#include "shell/RunWatcher.h"
#include "shell/StatusPanels.h"
#include "shell/HelpWindow.h"
#include "shell/DrawingWindow.h"
#include "shell/VariableInspector.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QShowEvent>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace mivarelo {

namespace {

constexpr int FocusDelayMs = 100;
constexpr int StatusRefreshMs = 33;
constexpr int WordListFirstId = 7611;
constexpr int WordListLastId = 7640;
constexpr int MainProcedureNameId = 7625;
constexpr std::array<int, 8> PanelWidths = {100, 100, 100, 100, 150, 150, 150, 150};
constexpr int PendingFileTextId = 7924;
constexpr int RecoveryQuestionId = 7925;
constexpr int RecoveryTitleId = 7926;
constexpr int RestoreId = 7927;
constexpr int DiscardId = 7928;
constexpr int LaterId = 7929;
constexpr int RecoveryIntervalMs = 30'000;
constexpr int DamagedFileTextId = 7989;
constexpr int KeptAsWrittenTextId = 7990;
// A procedure goes into the editor this many characters at a time (about
// 100 ms of the text document's work), with a progress line past half a
// second.
constexpr qsizetype FillSliceChars = 100'000;
constexpr int FillProgressAfterMs = 500;
constexpr int FillProgressTextId = 7931;
constexpr int NotRegularFileTextId = 7993;
constexpr int ProgramTooLargeTextId = 7994;
// Picture pixels left free around the drawing that is brought into view.
constexpr int KeepInViewMargin = 20;
// View pixels from the edge at which a watched run's turtle is followed.
constexpr int FollowMargin = 30;
constexpr int StatusMessageMs = 8000;
// The command panel's first height: a few editor lines and the console,
// leaving most of a small screen to the picture.
constexpr int CommandDockHeight = 190;
const char* const KeepInViewKey = "KeepDrawingInView";
const char* const GeometryKey = "Window/Geometry";
const char* const DockStateKey = "Window/Docks";

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

// The offending text (between the first two apostrophes) and the line
// number (after '=', up to the next blank or ')') of an error-list entry.
bool ParseErrorEntry(const QString& entry, QString& text, int& line) {
    const qsizetype open = entry.indexOf(u'\'');
    if (open < 0) return false;
    const qsizetype close = entry.indexOf(u'\'', open + 1);
    if (close < 0) return false;
    text = entry.mid(open + 1, close - open - 1);
    const qsizetype equals = entry.indexOf(u'=', close);
    if (equals < 0) return false;
    const QString rest = entry.mid(equals + 1).trimmed();
    qsizetype end = 0;
    while (end < rest.size() && rest[end].isDigit())
        ++end;
    line = rest.left(end).toInt();
    return true;
}

QStringList OpenFilters() {
    return {LanguageText(7744), LanguageText(7745)};
}

QStringList SaveFilters() {
    return OpenFilters() << LanguageText(7746) << LanguageText(7742);
}

// The pixels that differ from the screen colour; null when there are none.
QRect PaintedBox(const TurtleScreen& screen) {
    return MeasurePaintedArea(screen.Surface().Image(), screen.State().ScreenColor).box;
}

// `box` with the margin kept around a drawing, within the picture.
QRect WithMargin(const QRect& box) {
    return box.adjusted(-KeepInViewMargin, -KeepInViewMargin, KeepInViewMargin, KeepInViewMargin) &
           QRect(0, 0, Globals().ScreenWidth, Globals().ScreenHeight);
}

// The kind of file an extension names, in any letter case; `fallback` for
// a name with another extension.
int KindOfExtension(const QString& path, int fallback) {
    static const QStringList extensions = {"elg", "lgo", "bmp", "png"};
    const qsizetype k = extensions.indexOf(QFileInfo(path).suffix().toLower());
    return k < 0 ? fallback : static_cast<int>(k) + 1;
}

QString ExtensionOf(int kind) {
    static const QStringList extensions = {".elg", ".lgo", ".bmp", ".png"};
    return extensions.value(kind - 1, extensions.first());
}

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

// Why a file could not be read, as the id of its text. A folder, a device
// or a FIFO is never opened (see core/ProgramFiles.h), nor a file larger
// than its kind's limit.
int ReadFailureReason(const QString& path, bool logoText) {
    const QFileInfo info(path);
    if (!info.exists()) return 7732;
    if (!info.isFile()) return NotRegularFileTextId;
    if (!info.isReadable()) return 7733;
    const std::uintmax_t limit = logoText ? LogoTextSizeLimit : ProgramFileSizeLimit;
    if (static_cast<std::uintmax_t>(info.size()) > limit)
        return logoText ? 7964 : ProgramTooLargeTextId;
    return 7734;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Mivarelo"));
    resize(939, 594);
    previousNotifier_ = SetNotifier(this);
    previousErrorList_ = SetCurrentErrorList(this);
    GlobalSettings& g = Globals();
    g.CurrentProcedure = -1;
    driver_ = new RunDriver(engine_.Runner(), this);
    engine_.Runner().SetListener(this);
    FocusTimer.setSingleShot(true);
    FocusTimer.setInterval(FocusDelayMs);
    connect(&FocusTimer, &QTimer::timeout, this, &MainWindow::FocusTimerTimer);
    fillTimer_.setInterval(0);
    connect(&fillTimer_, &QTimer::timeout, this, &MainWindow::FillNextSlice);
    connect(driver_, &RunDriver::SliceDone, this, &MainWindow::FlushRefresh);
    recent_.Load();
    setAcceptDrops(true);
    BuildWindow();
    ConnectActions();
    SetTurtleLook(0);
    SetTurnCommandType(1);
    actions_->TraceMouseAction->setChecked(g.TraceMouse);
    FormCreate();
}

// A run still going is stopped and unwound before the window goes.
MainWindow::~MainWindow() {
    recent_.Save();
    if (engine_.Runner().Busy()) {
        engine_.Runner().RequestStop();
        engine_.Runner().RunToEnd(false);
    }
    engine_.Runner().SetListener(nullptr);
    // The watcher goes first: the window's own teardown hides the inspector
    // dock, whose signal must not reach a half-destroyed window.
    delete watcher_;
    watcher_ = nullptr;
    delete commandWindow_;
    commandWindow_ = nullptr;
    SetCurrentErrorList(previousErrorList_);
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
    UstStatusBar = new QStatusBar(this);
    UstStatusBar->setSizeGripEnabled(false);
    UstStatusBar->setMinimumWidth(PanelWidths[0]);
    for (std::size_t k = 0; k < panels_.size(); ++k) {
        panels_[k] = new QLabel(UstStatusBar);
        UstStatusBar->addWidget(panels_[k]);
    }
    setStatusBar(UstStatusBar);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setBackgroundRole(QPalette::Dark);
    setCentralWidget(scrollArea_);
    // The command panel below the picture, the button panel beside it; the
    // right-hand dock reaches down to the window's bottom.
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    commandDock_ = NewDock(QStringLiteral("CommandDock"), Qt::BottomDockWidgetArea);
    graphicalDock_ = NewDock(QStringLiteral("GraphicalDock"), Qt::RightDockWidgetArea);
}

// The docks can be moved, floated and resized but not closed: Show Command
// Window hides and shows them.
QDockWidget* MainWindow::NewDock(const QString& name, Qt::DockWidgetArea area) {
    auto* dock = new QDockWidget(this);
    dock->setObjectName(name);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(area, dock);
    dock->hide();
    return dock;
}

QDockWidget* MainWindow::CommandDock() const {
    return Globals().CommandMode == 1 ? graphicalDock_ : commandDock_;
}

// The dock carries the panel's title in the interface language. The button
// panel scrolls when the window is lower than all its buttons.
void MainWindow::PlaceCommandWindow(CommandWindow* form, QDockWidget* dock) {
    commandWindow_ = form;
    if (QWidget* previous = dock->widget()) previous->deleteLater();
    if (dock == graphicalDock_) {
        auto* scroll = new QScrollArea(dock);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidgetResizable(true);
        scroll->setWidget(form);
        scroll->setFocusPolicy(Qt::NoFocus);
        scroll->setFocusProxy(form);
        dock->setWidget(scroll);
    } else {
        dock->setWidget(form);
    }
    dock->setWindowTitle(form->windowTitle());
    connect(form, &QWidget::windowTitleChanged, dock, &QWidget::setWindowTitle);
}

void MainWindow::ShowRemembered() {
    const QSettings settings;
    restoreState(settings.value(DockStateKey).toByteArray());
    UpdateActions();
    if (restoreGeometry(settings.value(GeometryKey).toByteArray()))
        show();
    else
        showMaximized();
}

void MainWindow::SaveLayout() const {
    QSettings settings;
    settings.setValue(GeometryKey, saveGeometry());
    settings.setValue(DockStateKey, saveState());
}

// The home point stands in the middle of the view once the window has its
// size, unless a run has placed the view already.
void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!viewPlaced_)
        QTimer::singleShot(0, this, [this] {
            if (!viewPlaced_) CentreOnTurtle();
        });
}

void MainWindow::ConnectActions() {
    MainActions& a = *actions_;
    for (QAction* action : findChildren<QAction*>())
        action->setShortcutContext(Qt::ApplicationShortcut);
    connect(a.OpenAction, &QAction::triggered, this, &MainWindow::OpenAsk);
    connect(a.SaveAction, &QAction::triggered, this, &MainWindow::SaveAs);
    connect(a.FileMenu, &QMenu::aboutToShow, this, &MainWindow::ShowRecentFiles);
    examples_ = new ExamplesMenu(a.ExamplesSubmenu, ExamplesMenu::DefaultFolder(), this);
    connect(examples_, &ExamplesMenu::ExampleChosen, this, &MainWindow::OpenPath);
    for (int i = 0; i < a.MRU.size(); ++i)
        connect(a.MRU[i], &QAction::triggered, this,
                [this, i] { OpenPath(recent_.Entries().value(i)); });
    connect(a.LandscapeAction, &QAction::triggered, this,
            [this] { printer_.SetOrientation(QPageLayout::Landscape); });
    connect(a.PortraitAction, &QAction::triggered, this,
            [this] { printer_.SetOrientation(QPageLayout::Portrait); });
    connect(a.ProportionalAction, &QAction::triggered, this,
            [this] { printer_.SetPrintType(PicturePrinter::PrintType::Proportional); });
    connect(a.AsItIsAction, &QAction::triggered, this,
            [this] { printer_.SetPrintType(PicturePrinter::PrintType::AsItIs); });
    connect(a.FitToPageAction, &QAction::triggered, this,
            [this] { printer_.SetPrintType(PicturePrinter::PrintType::FitToScreen); });
    connect(a.PrintPictureAction, &QAction::triggered, this, &MainWindow::PrintPicture);
    connect(a.PrintPreviewAction, &QAction::triggered, this, &MainWindow::PrintPreview);
    connect(a.ExportPngAction, &QAction::triggered, this, [this] { ExportPicture(false); });
    connect(a.ExportSvgAction, &QAction::triggered, this, [this] { ExportPicture(true); });
    connect(a.ExportPdfAction, &QAction::triggered, this, &MainWindow::ExportPdf);
    connect(a.ExportHtmlAction, &QAction::triggered, this, &MainWindow::ExportProgramHtml);
    connect(a.PrintProgramAction, &QAction::triggered, this, &MainWindow::PrintProgram);
    connect(a.SetDefaultSoftwareAction, &QAction::triggered, this, [] {
        const FileAssociation::Result result = FileAssociation::Register();
        CurrentDialogs().ShowMessage(result.message, QStringLiteral("Mivarelo"));
    });
    connect(a.ResetAction, &QAction::triggered, this, &MainWindow::ResetExecute);
    connect(a.ExitAction, &QAction::triggered, this, &QWidget::close);
    connect(a.StopAction, &QAction::triggered, this, &MainWindow::StopRun);
    connect(a.NextErrorAction, &QAction::triggered, this, &MainWindow::ShowNextError);
    connect(a.CommandModeAction, &QAction::triggered, this, &MainWindow::SwitchToCommandMode);
    connect(a.HelpContentsAction, &QAction::triggered, this, [this] { ShowHelp(false); });
    connect(a.CommandHelpAction, &QAction::triggered, this, [this] { ShowHelp(true); });
    connect(a.SamplesHelpAction, &QAction::triggered, this, &MainWindow::OpenSamples);
    connect(a.AboutAction, &QAction::triggered, this,
            [] { CurrentDialogs().ShowAbout(QStringLiteral("Mivarelo")); });
    connect(a.GraphicalModeAction, &QAction::triggered, this, &MainWindow::SwitchToGraphicalMode);
    ConnectProcedureActions();
    ConnectOptionActions();
}

void MainWindow::ConnectProcedureActions() {
    MainActions& a = *actions_;
    connect(a.RunProcedureAction, &QAction::triggered, this, &MainWindow::Run);
    connect(a.AddProcedureAction, &QAction::triggered, this, &MainWindow::AddProcedureAsk);
    connect(a.RenameProcedureAction, &QAction::triggered, this, &MainWindow::RenameProcedureAsk);
    connect(a.EnterArgumentsAction, &QAction::triggered, this, &MainWindow::EnterArgumentsAsk);
    connect(a.DeleteProceduresAction, &QAction::triggered, this, &MainWindow::DeleteProcedureAsk);
    connect(a.TurkishLongAction, &QAction::triggered, this, [this] { SetDialect(true, true); });
    connect(a.TurkishShortAction, &QAction::triggered, this, [this] { SetDialect(true, false); });
    connect(a.EnglishLongAction, &QAction::triggered, this, [this] { SetDialect(false, true); });
    connect(a.EnglishShortAction, &QAction::triggered, this,
            [this] { SetDialect(false, false); });
}

void MainWindow::ConnectOptionActions() {
    MainActions& a = *actions_;
    GlobalSettings& g = Globals();
    connect(a.TurtleImage1Action, &QAction::triggered, this, [this] { SetTurtleLook(0); });
    connect(a.TurtleImage2Action, &QAction::triggered, this, [this] { SetTurtleLook(1); });
    connect(a.TurtleCircleAction, &QAction::triggered, this, [this] { SetTurtleLook(3); });
    connect(a.TurtleOtherImagesAction, &QAction::triggered, this, [this] { SetTurtleLook(4); });
    const std::array<QAction*, 4> turns = {a.TurnSetHeadingAction, a.TurnClosestAction, a.TurnLeftAction, a.TurnRightAction};
    for (int k = 0; k < 4; ++k)
        connect(turns[k], &QAction::triggered, this, [this, k] { SetTurnCommandType(k); });
    for (const auto& [action, english] : {std::pair{a.EnglishInterfaceAction, true}, std::pair{a.TurkishInterfaceAction, false}})
        connect(action, &QAction::triggered, this, [this, english] {
            SetInterfaceLanguage(english);
            RememberInterfaceLanguage(english);
        });
    connect(a.UseDirectionsAction, &QAction::toggled, this, [this, &g](bool on) {
        g.UseDirections = on;
        SetInterfaceLanguage(g.EnglishInterface);
        if (commandWindow_) commandWindow_->RunStateChanged(true);
    });
    connect(a.ShowVariablesAction, &QAction::triggered, this,
            &MainWindow::ShowVariablesExecute);
    connect(a.ScreenColourAction, &QAction::triggered, this, &MainWindow::ScreenColourExecute);
    connect(a.InsertColourAction, &QAction::triggered, this, &MainWindow::InsertColour);
    connect(a.TraceMouseAction, &QAction::toggled, this, [&g](bool on) { g.TraceMouse = on; });
    connect(a.StopAtErrorsAction, &QAction::toggled, this, [&g](bool on) { g.StopAtErrors = on; });
    connect(a.CorrectErrorsAction, &QAction::toggled, this,
            [&g](bool on) { g.AutoCorrectErrors = on; });
    connect(a.AcceptSpaceAction, &QAction::toggled, this, [&g](bool on) { g.AcceptSpace = on; });
    ConnectPreciseTurtle();
    connect(a.ShowErrorsAction, &QAction::toggled, this, [this](bool on) {
        if (controls_.ErrorList) controls_.ErrorList->setVisible(on);
        if (controls_.ErrorNumberLabel) controls_.ErrorNumberLabel->setVisible(on);
    });
    connect(a.QuickCommandsAction, &QAction::toggled, this, [this, &g](bool on) {
        g.QuickCommands = on;
        if (!on) drawingWindow_->RefreshWindow(true);
    });
    connect(a.ShowStatusBarAction, &QAction::toggled, UstStatusBar, &QWidget::setVisible);
    connect(a.ShowCommandWindowAction, &QAction::toggled, this, &MainWindow::UpdateActions);
    connect(a.RefreshScreenAction, &QAction::triggered, this,
            [this] { drawingWindow_->RefreshWindow(true); });
    connect(a.CanUndoLastCommandAction, &QAction::toggled, this,
            [&g](bool on) { g.CanUndoLastCommand = on; });
}

// The precise turtle is an application setting, remembered between starts;
// the program files do not carry it.
void MainWindow::ConnectPreciseTurtle() {
    QAction* precise = actions_->PreciseTurtleAction;
    const QString key = QStringLiteral("PreciseTurtle");
    precise->setChecked(QSettings().value(key, false).toBool());
    Globals().PreciseTurtle = precise->isChecked();
    connect(precise, &QAction::toggled, this, [key](bool on) {
        Globals().PreciseTurtle = on;
        QSettings().setValue(key, on);
    });
}

void MainWindow::ConnectZoom() {
    const MainActions& a = *actions_;
    zoom_ = new DrawingZoom(scrollArea_, drawingWindow_, this);
    connect(a.ZoomFitAction, &QAction::triggered, zoom_, &DrawingZoom::Fit);
    connect(a.Zoom50Action, &QAction::triggered, zoom_, [this] { zoom_->Set(0.5); });
    connect(a.Zoom100Action, &QAction::triggered, zoom_, [this] { zoom_->Set(1.0); });
    connect(a.Zoom200Action, &QAction::triggered, zoom_, [this] { zoom_->Set(2.0); });
    connect(a.ZoomInAction, &QAction::triggered, zoom_, [this] { zoom_->StepAtCentre(1); });
    connect(a.ZoomOutAction, &QAction::triggered, zoom_, [this] { zoom_->StepAtCentre(-1); });
    // Scroll bar actions and the wheel come from the user only.
    const auto userMoved = [this] { userMovedView_ = Running() || Globals().RunActive; };
    for (QAction* action : {a.ZoomFitAction, a.Zoom50Action, a.Zoom100Action, a.Zoom200Action,
                            a.ZoomInAction, a.ZoomOutAction})
        connect(action, &QAction::triggered, this, userMoved);
    connect(drawingWindow_, &DrawingWindow::WheelZoom, this, userMoved);
    connect(scrollArea_->horizontalScrollBar(), &QScrollBar::actionTriggered, this, userMoved);
    connect(scrollArea_->verticalScrollBar(), &QScrollBar::actionTriggered, this, userMoved);
    ConnectKeepInView();
}

// Keep Drawing in View is an application setting, on until the user turns
// it off.
void MainWindow::ConnectKeepInView() {
    QAction* keep = actions_->KeepInViewAction;
    keep->setChecked(QSettings().value(KeepInViewKey, true).toBool());
    connect(keep, &QAction::toggled, this,
            [](bool on) { QSettings().setValue(KeepInViewKey, on); });
}

// The interface language is loaded first, so that the main procedure made
// by the switch to command mode carries the language's name.
void MainWindow::FormCreate() {
    const bool english = Globals().EnglishInterface;
    (english ? actions_->EnglishInterfaceAction : actions_->TurkishInterfaceAction)->setChecked(true);
    LoadLanguageModule(&engine_.Procedures());
    ApplyQtTranslation(english);
    Globals().MainProcedureName = FromQt(Text(MainProcedureNameId));
    drawingWindow_ = new DrawingWindow(engine_, scrollArea_);
    connect(drawingWindow_, &DrawingWindow::MouseMoved, this, &MainWindow::SetMousePanel);
    ConnectZoom();
    watcher_ = new RunWatcher(*this, *driver_);
    connect(watcher_, &RunWatcher::WatchingChanged, this, &MainWindow::UpdateActions);
    splitDockWidget(commandDock_, &watcher_->Inspector(), Qt::Horizontal);
    watcher_->Inspector().hide();
    SwitchToCommandMode();
    resizeDocks({commandDock_}, {CommandDockHeight}, Qt::Vertical);
    SetRunning(false);
    actions_->SetCaptions();
    watcher_->ApplyLanguage();
    if (commandWindow_) commandWindow_->RefreshLanguage();
    SizePanels();
    RefreshStatusBar();
}

bool MainWindow::Running() const {
    return Globals().Running;
}

QString MainWindow::Text(int id) const {
    return LanguageText(id);
}

// ---- running -------------------------------------------------------------

void MainWindow::Run() {
    SetRunning(true);
    Globals().LastErrorLine = 0;
    errorCursor_ = 0;
    if (controls_.ErrorNumberLabel) controls_.ErrorNumberLabel->setText(QStringLiteral("-"));
    if (controls_.ErrorList) controls_.ErrorList->clear();
    errorProcedures_.clear();
    StoreEditorIntoProcedure();
    QueueRecoveryCopy();
    const int index =
        controls_.ProcedureList ? std::max(0, controls_.ProcedureList->currentIndex()) : 0;
    RunProcedure(index);
}

void MainWindow::RunProcedure(int index) {
    if (!Running()) SetRunning(true);
    engine_.StartRun(index);
    driver_->Start();
    if (!engine_.Runner().Busy()) SetRunning(false);
}

bool MainWindow::SetMainProcedureAndRun(const std::string& text) {
    programChanged_ = true;
    if (!engine_.SetMainProcedureAndRun(text)) return false;
    QueueRecoveryCopy();
    driver_->StartAtFullSpeed();
    return true;
}

// The line runs as a procedure of its own that no body holds, so its
// errors point at no line of the editor; like the graphical mode's lines it
// runs at full speed, with no line of the editor to mark.
bool MainWindow::RunText(const std::string& text) {
    GlobalSettings& g = Globals();
    if (Running() || g.RunActive || engine_.Runner().Busy()) {
        Beep();
        return false;
    }
    g.StopRequested = false;
    g.AbortRequested = false;
    const LinePlace place{-1, 1, true};
    if (!engine_.Runner().StartThread(true, std::make_shared<const std::string>(text + '\n'),
                                      nullptr, false, 1, {}, {}, place))
        return false;
    textRun_ = true;
    driver_->StartAtFullSpeed();
    return true;
}

void MainWindow::StopRun() {
    driver_->Stop();
}

bool MainWindow::ExecuteLine(LineDispatcher& dispatcher, std::string_view line) {
    const bool ok = dispatcher.RunCommandLine(line);
    const RefreshRequest request = engine_.Screen().TakeRefreshRequest();
    if (request > pendingRefresh_) pendingRefresh_ = request;
    return ok;
}

// Once per slice: the picture's changed part and, at most at frame rate,
// the status bar.
void MainWindow::FlushRefresh() {
    if (pendingRefresh_ != RefreshRequest::None) {
        drawingWindow_->RefreshWindow(pendingRefresh_ == RefreshRequest::Forced);
        pendingRefresh_ = RefreshRequest::None;
        FollowTurtleDuringRun();
    }
    if (!statusClock_.isValid() || statusClock_.elapsed() >= StatusRefreshMs) {
        RefreshStatusBar();
        statusClock_.restart();
    }
}

// A line run from the console or the reference leaves the focus where the
// user typed or clicked.
// The whole run has ended (the interpreter's running state also changes
// between the lists of one run): the drawing is brought into view, and a
// file handed over meanwhile opens.
void MainWindow::ThreadFinished(bool runEnded) {
    if (!runEnded) return;
    runGoing_ = false;
    const bool textRun = std::exchange(textRun_, false);
    if (!textRun && actions_->ShowCommandWindowAction->isChecked()) {
        if (controls_.Editor) controls_.Editor->setEnabled(true);
        FocusTimer.start();
    }
    if (actions_->KeepInViewAction->isChecked()) KeepDrawingInView();
    userMovedView_ = false;
    if (!pendingFile_.isEmpty())
        QTimer::singleShot(0, this, [this] {
            UstStatusBar->clearMessage();
            OpenPath(std::exchange(pendingFile_, QString()));
        });
    SetRunning(false);
}

void MainWindow::ThreadRunningChanged(bool running) {
    if (running && !runGoing_) {
        runGoing_ = true;
        lastRunError_.clear();
    }
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
    if (controls_.RunningLabel) controls_.RunningLabel->setVisible(running);
    if (controls_.ProcedureList) controls_.ProcedureList->setEnabled(!running);
    if (controls_.Editor) {
        controls_.Editor->setEnabled(!running || (watcher_ && watcher_->Watching()));
        controls_.Editor->setReadOnly(running || !fillRest_.isEmpty());
    }
    RefreshStatusBar();
    if (!running) {
        g.RefreshSuspended = false;
        pendingRefresh_ = RefreshRequest::None;
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
    if (controls_.Editor && running) controls_.Editor->setEnabled(watching);
    // The panel stays in its dock during a run, so that the view keeps its
    // size; its controls are disabled instead.
    const bool shown = commandWindow_ && actions_->ShowCommandWindowAction->isChecked();
    (CommandDock() == commandDock_ ? graphicalDock_ : commandDock_)->hide();
    CommandDock()->setVisible(shown);
}

void MainWindow::FollowTurtle() {
    const TurtleState& turtle = engine_.Screen().State();
    if (commandWindow_) commandWindow_->TurtleMoved(turtle.Position());
    if (!Globals().TraceMouse) return;
    const QSize view = scrollArea_->viewport()->size();
    zoom_->PlaceAt(turtle.Position(), QPointF(view.width() - 100, view.height() - 100));
}

// At full speed the view holds still during the run; watching a run, or in
// graphical mode, it goes after the turtle when the turtle leaves it.
void MainWindow::FollowTurtleDuringRun() {
    if (userMovedView_ || !actions_->KeepInViewAction->isChecked()) return;
    if (!(watcher_ && watcher_->Watching()) && Globals().CommandMode != 1) return;
    zoom_->Follow(engine_.Screen().State().Position(), FollowMargin);
}

bool MainWindow::KeepDrawingInView() {
    viewPlaced_ = true;
    const QRect turtle(engine_.Screen().State().Position(), QSize(1, 1));
    const QRect box = PaintedBox(engine_.Screen());
    return zoom_->KeepInView(WithMargin(box.isNull() ? turtle : box.united(turtle)));
}

void MainWindow::CentreOnTurtle() {
    viewPlaced_ = true;
    zoom_->CentreOn(engine_.Screen().State().Position());
}

QRect MainWindow::VisiblePicture() const {
    return zoom_->VisiblePicture();
}

double MainWindow::Zoom() const {
    return drawingWindow_->Zoom();
}

QPoint MainWindow::PictureToGlobal(QPoint picturePoint) const {
    return drawingWindow_->mapToGlobal(drawingWindow_->ToWindow(picturePoint));
}

// With an empty error list a clean run stays silent: there is nothing to jump to.
void MainWindow::FocusTimerTimer() {
    FocusTimer.stop();
    if (!actions_->ShowCommandWindowAction->isChecked() || !controls_.Editor) return;
    if (controls_.Editor->isEnabled() && controls_.Editor->isVisible()) {
        controls_.Editor->window()->activateWindow();
        controls_.Editor->setFocus();
    }
    errorCursor_ = 0;
    if (controls_.ErrorList && controls_.ErrorList->count() > 0) JumpToError(0);
}

// ---- errors --------------------------------------------------------------

void MainWindow::AddErrorLine(const std::string& line) {
    if (lastRunError_.empty()) lastRunError_ = line;
    if (!controls_.ErrorList) return;
    controls_.ErrorList->addItem(ToQt(line));
    errorProcedures_.push_back(Globals().RunningProcedure);
}

void MainWindow::JumpToError(int i) {
    QListWidget* list = controls_.ErrorList;
    if (!list || i < 0 || i >= list->count()) {
        mivarelo::Beep();
        return;
    }
    const QString entry = list->item(i)->text();
    if (entry.isEmpty()) return;
    QString text;
    int line = 0;
    if (ParseErrorEntry(entry, text, line)) {
        const int procedure =
            static_cast<std::size_t>(i) < errorProcedures_.size() ? errorProcedures_[i] : 0;
        if (procedure >= 0) SelectErrorInEditor(text, line, procedure);
    }
    list->setCurrentRow(i);
}

// The editor shows the procedure the error came from; the selection runs
// from the offending text to the end of its line.
void MainWindow::SelectErrorInEditor(const QString& text, int line, int procedure) {
    QPlainTextEdit* editor = controls_.Editor;
    if (!controls_.ErrorList || !editor || !actions_->ShowCommandWindowAction->isChecked()) return;
    const ProcedureStore& store = engine_.Procedures();
    if (procedure >= 0 && procedure < store.ProcedureCount() &&
        procedure != Globals().CurrentProcedure)
        ShowProcedure(procedure);
    const int shown = std::max(0, Globals().CurrentProcedure);
    const QString lineText = ToQt(store.GetBodyLine(shown, line));
    QTextDocument* document = editor->document();
    const QTextBlock block = line > 0 ? document->findBlockByNumber(line - 1) : document->begin();
    const int start = block.isValid() ? block.position() : 0;
    const QTextBlock next = block.isValid() ? block.next() : QTextBlock();
    const int end = next.isValid() ? next.position() - 1 : document->characterCount() - 1;
    const qsizetype offset = lineText.isEmpty() || text.isEmpty() ? -1 : lineText.indexOf(text);
    QTextCursor cursor(document);
    cursor.setPosition(std::min(start + static_cast<int>(std::max<qsizetype>(0, offset)), end));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    if (editor->isEnabled() && editor->isVisible()) editor->setFocus();
}

void MainWindow::ShowNextError() {
    QListWidget* list = controls_.ErrorList;
    if (!list || list->count() == 0) return;
    errorCursor_ = (errorCursor_ + 1) % list->count();
    if (controls_.ErrorNumberLabel)
        controls_.ErrorNumberLabel->setText(QString::number(errorCursor_ + 1));
    JumpToError(errorCursor_);
}

// ---- procedures ----------------------------------------------------------

// A long procedure goes into the editor in slices, so that the window keeps
// answering: until the last slice the editor is read-only, the store keeps
// the procedure, and the status bar shows how far the editor has got.
void MainWindow::FillEditor(int index) {
    fillTimer_.stop();
    fillRest_.clear();
    if (!controls_.Editor) return;
    const QString text = EditorTextOf(engine_.Procedures(), index);
    const QSignalBlocker quiet(controls_.Editor);
    const qsizetype cut =
        text.size() > FillSliceChars ? text.lastIndexOf(u'\n', FillSliceChars) : -1;
    if (cut <= 0) {
        controls_.Editor->setPlainText(text);
        return;
    }
    controls_.Editor->setReadOnly(true);
    controls_.Editor->setPlainText(text.left(cut));
    fillRest_ = text.mid(cut);
    fillDone_ = 0;
    fillClock_.start();
    fillTimer_.start();
}

void MainWindow::FillNextSlice() {
    QPlainTextEdit* editor = controls_.Editor;
    if (!editor || fillRest_.isEmpty()) {
        fillTimer_.stop();
        return;
    }
    qsizetype end = fillRest_.indexOf(u'\n', fillDone_ + FillSliceChars);
    end = end < 0 ? fillRest_.size() : end;
    {
        const QSignalBlocker quiet(editor);
        QTextCursor cursor(editor->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(fillRest_.mid(fillDone_, end - fillDone_));
        editor->document()->setModified(false);
    }
    fillDone_ = end;
    if (fillDone_ < fillRest_.size()) {
        if (fillClock_.elapsed() > FillProgressAfterMs)
            UstStatusBar->showMessage(
                Text(FillProgressTextId).arg(100 * fillDone_ / fillRest_.size()));
        return;
    }
    fillTimer_.stop();
    fillRest_.clear();
    // The slices are no edits of the user's: nothing of them is undone.
    editor->document()->clearUndoRedoStacks();
    editor->setReadOnly(Running());
    UstStatusBar->clearMessage();
}

void MainWindow::StoreEditorIntoProcedure() {
    const int current = Globals().CurrentProcedure;
    if (current < 0 || !controls_.Editor || !fillRest_.isEmpty()) return;
    engine_.Procedures().SetBody(current, BodyOfEditor(controls_.Editor->toPlainText()));
}

void MainWindow::ShowProcedure(int index) {
    StoreEditorIntoProcedure();
    if (index == -1)
        index = controls_.ProcedureList ? std::max(0, controls_.ProcedureList->currentIndex()) : 0;
    Globals().CurrentProcedure = index;
    FillEditor(index);
    if (controls_.ProcedureList) controls_.ProcedureList->setCurrentIndex(index);
}

void MainWindow::RefreshProcedureList() {
    const ProcedureStore& store = engine_.Procedures();
    const int count = store.ProcedureCount();
    GlobalSettings& g = Globals();
    if (g.CurrentProcedure == -1) g.CurrentProcedure = 0;
    if (g.CurrentProcedure >= count) g.CurrentProcedure = std::max(0, count - 1);
    if (QComboBox* list = controls_.ProcedureList) {
        const QSignalBlocker quiet(list);
        list->clear();
        for (int i = 0; i < count; ++i)
            list->addItem(ToQt(store.GetHeader(i)));
        list->setCurrentIndex(g.CurrentProcedure);
    }
    FillEditor(g.CurrentProcedure);
    if (auto* form = qobject_cast<TextCommandWindow*>(commandWindow_)) form->Recolour();
}

void MainWindow::AddProcedure(const std::string& name) {
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
        CurrentDialogs().ShowMessage(Text(7710), Text(7806));
    }
    RefreshProcedureList();
}

// A name that is taken or blank adds nothing, and then no other procedure
// may receive the body.
void MainWindow::AddProcedureWithBody(const std::string& name, const std::string& body) {
    ProcedureStore& store = engine_.Procedures();
    const int before = store.ProcedureCount();
    AddProcedure(name);
    if (store.ProcedureCount() == before) return;
    store.SetBody(before, body);
    programChanged_ = true;
    RefreshProcedureList();
}

void MainWindow::AddProcedureAsk() {
    StoreEditorIntoProcedure();
    const QString name =
        CurrentDialogs().AskText(Text(7708), QString(), Text(7805), Text(7815), Text(7809));
    if (!name.isEmpty()) {
        AddProcedure(FromQt(name));
        programChanged_ = true;
    }
}

// A new name that another procedure already has is refused: the second of
// two procedures of one name could never be called.
void MainWindow::RenameProcedureAsk() {
    ShowProcedure(-1);
    ProcedureStore& store = engine_.Procedures();
    const int current = Globals().CurrentProcedure;
    const QString old = ToQt(store.GetHeader(current));
    const QString answer =
        CurrentDialogs().AskText(Text(7708), old, Text(7805), Text(7815), Text(7809));
    if (answer.isEmpty() || answer == old) return;
    const std::string header = FromQt(answer);
    const int existing = store.FindProcedure(SplitFirstWord(header).first);
    if (existing >= 0 && existing != current) {
        CurrentDialogs().ShowMessage(Text(7710), Text(7806));
        return;
    }
    store.SetHeader(current, header);
    programChanged_ = true;
    RefreshProcedureList();
}

void MainWindow::EnterArgumentsAsk() {
    ShowProcedure(-1);
    ProcedureStore& store = engine_.Procedures();
    const int current = Globals().CurrentProcedure;
    const QString old = ToQt(store.GetArguments(current));
    const QString answer =
        CurrentDialogs().AskText(Text(7709), old, Text(7805), Text(7815), Text(7809));
    if (answer.isEmpty() || answer == old) return;
    store.SetArguments(current, FromQt(answer));
    programChanged_ = true;
    RefreshProcedureList();
}

// With one procedure or none there is nothing to choose: the message says
// so and the main procedure stays. The editor is stored first so that the
// text being edited is not lost when the indices move.
// The main procedure is never offered: deleting it would silently make
// another procedure the main one.
void MainWindow::DeleteProcedureAsk() {
    ProcedureStore& store = engine_.Procedures();
    QStringList names;
    for (int i = 1; i < store.ProcedureCount(); ++i)
        names << ToQt(store.GetHeader(i));
    if (names.isEmpty()) {
        CurrentDialogs().ShowMessage(Text(7813), Text(7806));
        return;
    }
    const int chosen = CurrentDialogs().ChooseProcedure(names);
    if (chosen < 0 || chosen >= names.size()) return;
    const int index = chosen + 1;
    StoreEditorIntoProcedure();
    store.DeleteProcedure(index);
    RefreshProcedureList();
    programChanged_ = true;
}

// Recovery copies ---------------------------------------------------------

void MainWindow::StartRecovery(std::unique_ptr<RecoveryStore> store) {
    recovery_ = std::move(store);
    recoveryWriter_.setMaxThreadCount(1);
    OfferRecoveryCopies();
    recoveryTimer_.setInterval(RecoveryIntervalMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, &MainWindow::QueueRecoveryCopy,
            Qt::UniqueConnection);
    recoveryTimer_.start();
}

// At rest the editor's text goes into the program first; during a run the
// program already holds it.
void MainWindow::WriteRecoveryCopy() {
    if (!recovery_ || !programChanged_) return;
    if (!Running() && !Globals().RunActive) StoreEditorIntoProcedure();
    recoveryWriter_.waitForDone();
    recovery_->Write(engine_.Procedures(), programPath_);
}

void MainWindow::QueueRecoveryCopy() {
    if (!recovery_ || !programChanged_) return;
    if (!Running() && !Globals().RunActive) StoreEditorIntoProcedure();
    recoveryWriter_.start([store = recovery_, program = engine_.Procedures(), path = programPath_] {
        store->Write(program, path);
    });
}

void MainWindow::DropRecoveryCopy() {
    if (!recovery_) return;
    recoveryWriter_.waitForDone();
    recovery_->Remove();
}

// Restore brings the newest copy back as a changed program under its own
// file name; Discard deletes it; Later keeps it for the next start.
void MainWindow::OfferRecoveryCopies() {
    for (const RecoveryStore::Entry& entry : recovery_->Pending()) {
        const QString name = entry.originalPath.isEmpty()
                                 ? Text(MainProcedureNameId)
                                 : QDir::toNativeSeparators(entry.originalPath);
        const int answer = CurrentDialogs().AskYesNoCancel(
            Text(RecoveryQuestionId)
                .arg(name, QLocale().toString(entry.time, QLocale::ShortFormat)),
            Text(RecoveryTitleId), Text(RestoreId), Text(DiscardId), Text(LaterId));
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
        RefreshProcedureList();
        if (commandWindow_) commandWindow_->RefreshProcedures();
        SetProgramPath(entry.originalPath);
        programChanged_ = true;
        WriteRecoveryCopy();
        RecoveryStore::Discard(entry);
        return;
    }
}

// The window's title names the program's file.
void MainWindow::SetProgramPath(const QString& path) {
    programPath_ = path;
    setWindowTitle(path.isEmpty() ? QStringLiteral("Mivarelo")
                                  : QFileInfo(path).fileName() + QStringLiteral(" - Mivarelo"));
}

void MainWindow::NewProgram() {
    engine_.Procedures().ClearAll();
    engine_.Screen().ResetTurtle();
    engine_.Screen().TakeRefreshRequest();
    if (controls_.Editor) {
        const QSignalBlocker quiet(controls_.Editor);
        controls_.Editor->clear();
    }
    if (controls_.ProcedureList) controls_.ProcedureList->clear();
    Globals().CurrentProcedure = -1;
    AddProcedure(Globals().MainProcedureName);
    if (drawingWindow_) drawingWindow_->RefreshWindow(true);
}

// Reset: the main procedure emptied, every other procedure removed, the
// turtle and the picture back to the start, the view at 100 % around home.
void MainWindow::ClearProgram() {
    engine_.Procedures().ClearProgram();
    engine_.Screen().ResetTurtle();
    engine_.Screen().TakeRefreshRequest();
    Globals().CurrentProcedure = 0;
    RefreshProcedureList();
    if (drawingWindow_) drawingWindow_->RefreshWindow(true);
    if (zoom_ && viewPlaced_) {
        zoom_->Set(1.0);
        CentreOnTurtle();
    }
}

// A changed program is not thrown away unasked: the graphical panel asks in
// ConfirmReset, command mode here. In graphical mode the fresh program gets
// the panel's start-up line again, as after a restart.
void MainWindow::ResetExecute() {
    if (commandWindow_ && !commandWindow_->ConfirmReset()) return;
    if (Globals().CommandMode == 0 && !ConfirmDiscard()) return;
    ClearProgram();
    programChanged_ = false;
    SetProgramPath(QString());
    if (!commandWindow_) return;
    commandWindow_->RefreshProcedures();
    if (Globals().CommandMode == 1) commandWindow_->MainFormAttached();
}

// ---- modes ---------------------------------------------------------------

bool MainWindow::CloseCommandWindow() {
    if (commandWindow_) {
        if (!ConfirmDiscard()) return false;
        commandWindow_->hide();
        delete commandWindow_;
        commandWindow_ = nullptr;
    }
    controls_ = CurrentControls();
    NewProgram();
    programChanged_ = false;
    SetProgramPath(QString());
    return true;
}

bool MainWindow::SwitchToCommandMode() {
    if (!CloseCommandWindow()) return false;
    auto* form = new TextCommandWindow(commandDock_);
    PlaceCommandWindow(form, commandDock_);
    form->SetMainForm(this);
    form->SetProcedureStore(&engine_.Procedures());
    Globals().CommandMode = 0;
    BindCurrentControls();
    Relayout();
    UpdateActions();
    ClearProgram();
    return true;
}

bool MainWindow::SwitchToGraphicalMode() {
    if (!CloseCommandWindow()) return false;
    auto* form = new ButtonCommandWindow(graphicalDock_);
    Globals().CommandMode = 1;
    PlaceCommandWindow(form, graphicalDock_);
    form->SetMainForm(this);
    Relayout();
    UpdateActions();
    form->setFocus(Qt::OtherFocusReason);
    return true;
}

void MainWindow::BindCurrentControls() {
    controls_ = CurrentControls();
    auto* form = qobject_cast<TextCommandWindow*>(commandWindow_);
    if (Globals().CommandMode != 0 || !form) return;
    controls_.ErrorList = form->HataListBox;
    controls_.Editor = form->KomutMemo;
    controls_.ProcedureList = form->ProsedurComboBox;
    controls_.RunningLabel = form->AktifLabel;
    controls_.ErrorNumberLabel = form->HataNoLabel;
    connect(form->HataListBox, &QListWidget::itemClicked, this,
            [this, form](QListWidgetItem* item) { JumpToError(form->HataListBox->row(item)); });
    connect(form, &TextCommandWindow::ErrorHelpRequested, this, &MainWindow::ShowErrorHelp);
    connect(form->KomutMemo, &CodeEditor::HelpRequested, this, &MainWindow::ShowWordHelp);
    connect(form->KomutConsole, &CommandConsole::LineEntered, this,
            [this](const QString& line) { RunText(FromQt(line)); });
    const bool showErrors = actions_->ShowErrorsAction->isChecked();
    form->HataListBox->setVisible(showErrors);
    form->HataNoLabel->setVisible(showErrors);
}

void MainWindow::Relayout() {
    if (commandWindow_) commandWindow_->ArrangeControls();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Relayout();
}

bool MainWindow::ConfirmDiscard() {
    if (commandWindow_ && !commandWindow_->CanLeave()) return false;
    if (!programChanged_) return true;
    StoreEditorIntoProcedure();
    const int answer =
        CurrentDialogs().AskYesNoCancel(Text(7711), Text(7712), Text(7807), Text(7808), Text(7809));
    if (answer == 1) return SaveAs();
    if (answer != 0) return false;
    DropRecoveryCopy();
    return true;
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
    SaveLayout();
    DropRecoveryCopy();
    if (helpForm_) helpForm_->close();
    event->accept();
}

// ---- dialect, language, look ----------------------------------------------

void MainWindow::SetDialect(bool turkish, bool isLong) {
    ShowProcedure(-1);
    MainActions& a = *actions_;
    QAction* checked = turkish ? (isLong ? a.TurkishLongAction : a.TurkishShortAction)
                               : (isLong ? a.EnglishLongAction : a.EnglishShortAction);
    checked->setChecked(true);
    Globals().CommandDialect = (turkish ? 0 : 2) + (isLong ? 0 : 1);
    TranslateProgram(engine_.Procedures(), turkish, isLong, false);
    programChanged_ = true;
    FillEditor(Globals().CurrentProcedure);
}

// The words the program itself writes into procedures (variable names,
// generated procedure names) follow the interface language, whole words only.
void MainWindow::SetInterfaceLanguage(bool english) {
    StoreEditorIntoProcedure();
    GlobalSettings& g = Globals();
    g.EnglishInterface = english;
    (english ? actions_->EnglishInterfaceAction : actions_->TurkishInterfaceAction)->setChecked(true);
    std::vector<std::string> oldWords;
    for (int id = WordListFirstId; id <= WordListLastId; ++id)
        oldWords.push_back(GetLanguageString(id));
    ProcedureStore& store = engine_.Procedures();
    LoadLanguageModule(&store);
    if (commandWindow_) commandWindow_->RefreshLanguage();
    actions_->SetCaptions();
    watcher_->ApplyLanguage();
    ApplyQtTranslation(english);
    g.MainProcedureName = FromQt(Text(MainProcedureNameId));
    RenameMainProcedure(store, oldWords[MainProcedureNameId - WordListFirstId],
                        g.MainProcedureName);
    SizePanels();
    RefreshStatusBar();
    for (int id = WordListFirstId; id <= WordListLastId; ++id) {
        const std::string& oldWord = oldWords[id - WordListFirstId];
        const std::string newWord = GetLanguageString(id);
        if (!oldWord.empty() && !newWord.empty() && oldWord != newWord)
            store.ReplaceWordInBodies(oldWord, newWord);
    }
    if (commandWindow_) commandWindow_->RefreshProcedures();
    RefreshProcedureList();
    if (helpForm_) helpForm_->close();
}

void MainWindow::SetTurtleLook(int look) {
    GlobalSettings& g = Globals();
    if (look == 4) {
        const QString path =
            CurrentDialogs().ChooseOpenFile(Text(7425), LastFolder(), {Text(7747)}, nullptr);
        if (path.isEmpty() || !QFileInfo::exists(path)) {
            actions_->TurtleOtherImagesAction->setChecked(g.TurtleLook == 4);
            return;
        }
        g.TurtlePicturePath = FromQt(path);
    }
    g.TurtleLook = look;
    MainActions& a = *actions_;
    a.TurtleImage1Action->setChecked(look == 0);
    a.TurtleImage2Action->setChecked(look == 1);
    a.TurtleCircleAction->setChecked(look == 3);
    a.TurtleOtherImagesAction->setChecked(look == 4);
    if (drawingWindow_) drawingWindow_->RefreshWindow(true);
}

void MainWindow::SetTurnCommandType(int type) {
    Globals().TurnCommandType = type;
    const std::array<QAction*, 4> turns = {actions_->TurnSetHeadingAction, actions_->TurnClosestAction, actions_->TurnLeftAction,
                                           actions_->TurnRightAction};
    turns[type]->setChecked(true);
}

void MainWindow::ScreenColourExecute() {
    const ColorValue current = engine_.Screen().State().ScreenColor;
    const std::optional<QColor> chosen = CurrentDialogs().ChooseColor(QColor(ToPixel(current)));
    if (!chosen) return;
    engine_.Screen().ExecuteTurtleCommand(LookupCommand("setsc"),
                                          ColorToListText(FromPixel(chosen->rgb())));
    engine_.Screen().TakeRefreshRequest();
    drawingWindow_->RefreshWindow(true);
    Run();
}

void MainWindow::ShowVariablesExecute() {
    QStringList names;
    QStringList values;
    if (const VariableStore* store = VariableStore()) {
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

void MainWindow::ShowHelp(bool commands) {
    if (commands)
        HelpForm().ShowCommands();
    else
        HelpForm().ShowContents();
}

HelpWindow& MainWindow::HelpForm() {
    if (!helpForm_) {
        helpForm_ = new HelpWindow(this);
        connect(helpForm_, &HelpWindow::RunExample, this,
                [this](const QString& line) { RunText(FromQt(line)); });
    }
    return *helpForm_;
}

void MainWindow::ShowWordHelp(const QString& word) {
    const CommandCode code = LookupCommand(FromQt(word));
    if (code == UnknownCode || !HelpForm().ShowCommand(code)) HelpForm().ShowContents();
}

// An entry without an offending word (a run stopped for its depth or
// length) has no command to show: the contents open.
void MainWindow::ShowErrorHelp(int row) {
    QListWidget* list = controls_.ErrorList;
    QString text;
    int line = 0;
    if (!list || row < 0 || row >= list->count() ||
        !ParseErrorEntry(list->item(row)->text(), text, line)) {
        HelpForm().ShowContents();
        return;
    }
    if (!HelpForm().ShowCommandOfWord(text.section(u' ', 0, 0, QString::SectionSkipEmpty)))
        HelpForm().ShowAutoRepair();
}

// The colour list as the normalizer writes lists: one blank inside each
// bracket and between the numbers.
void MainWindow::InsertColour() {
    QPlainTextEdit* editor = controls_.Editor;
    if (!editor) return;
    const ColorValue pen = engine_.Screen().State().PenColor;
    const std::optional<QColor> chosen = CurrentDialogs().ChooseColor(QColor(ToPixel(pen)));
    if (!chosen) return;
    const QString list = ToQt(ColorToListText(FromPixel(chosen->rgb()))).trimmed();
    editor->insertPlainText(list);
    editor->setFocus();
}

void MainWindow::OpenSamples() {
    int kind = ProgramKind;
    const QString path =
        CurrentDialogs().ChooseOpenFile(Text(7470), examples_->Folder(), OpenFilters(), &kind);
    if (!path.isEmpty()) OpenFile(path, kind);
}

// ---- files ---------------------------------------------------------------

bool MainWindow::OpenFile(const QString& path, int kind) {
    if (!ConfirmDiscard()) return false;
    ProcedureStore loaded;
    const std::string file = path.toStdString();
    ConversionReport report;
    ProgramDamage damage;
    const bool read = kind == LogoKind ? ImportLogoText(loaded, file, LogoTextKind::Detect, &report)
                                       : LoadProgram(loaded, file, &damage);
    lastOpenDamaged_ = damage.truncated;
    if (!read || !CompleteProcedures(loaded)) {
        ShowFileError(7730, path, ReadFailureReason(path, kind == LogoKind));
        return false;
    }
    RememberFolder(path);
    NewProgram();
    engine_.Procedures().Replace(loaded.Headers(), loaded.Bodies());
    recent_.Add(path);
    programChanged_ = false;
    SetProgramPath(path);
    Globals().CurrentProcedure = 0;
    RefreshProcedureList();
    if (commandWindow_) commandWindow_->RefreshProcedures();
    // A classic import turns the precise turtle on.
    actions_->PreciseTurtleAction->setChecked(Globals().PreciseTurtle);
    if (damage.truncated) ShowDamage(path, damage);
    if (actions_->RunWhenOpenedAction->isChecked()) Run();
    ShowConversionReport(report);
    return true;
}

// A file that ends before its own structure says it should is shown with
// what could be read, the procedures it cut named, and the program marked
// changed: saving it as it is would make the damage permanent unasked.
void MainWindow::ShowDamage(const QString& path, const ProgramDamage& damage) {
    programChanged_ = true;
    QStringList names;
    for (const std::string& name : damage.procedures)
        names << ToQt(name);
    CurrentDialogs().ShowMessage(QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                     Text(DamagedFileTextId) + u' ' + names.join(u", "),
                                 Text(7737));
}

// What the import left out, and its notes, head the error list.
void MainWindow::ShowConversionReport(const ConversionReport& report) {
    if (!controls_.ErrorList) return;
    for (const std::string& line : report.Lines()) {
        controls_.ErrorList->addItem(ToQt(line));
        errorProcedures_.push_back(-1);
    }
}

// The kind is judged without regard to case, but the path is opened as
// given: on most file systems letter case matters.
bool MainWindow::OpenPath(const QString& path) {
    if (path.isEmpty()) return false;
    return OpenFile(path, IsLogoTextPath(path.toStdString()) ? LogoKind : ProgramKind);
}

void MainWindow::OpenAsk() {
    int kind = ProgramKind;
    const QString path =
        CurrentDialogs().ChooseOpenFile(Text(7402), LastFolder(), OpenFilters(), &kind);
    if (!path.isEmpty()) OpenFile(path, kind);
}

bool MainWindow::SaveAs() {
    int kind = ProgramKind;
    QString path = CurrentDialogs().ChooseSaveFile(Text(7403), LastFolder(), SaveFilters(), &kind);
    if (path.isEmpty()) return false;
    // The filter only adds an extension to a name without one; a name's own
    // extension says what kind of file it becomes.
    if (QFileInfo(path).suffix().isEmpty()) path += ExtensionOf(kind);
    kind = KindOfExtension(path, kind);
    ShowProcedure(-1);
    RememberFolder(path);
    if (kind == BitmapKind || kind == PngKind) {
        WritePicture(path, kind);
        return false;
    }
    if (!WriteProgramFile(path, kind)) return false;
    recent_.Add(path);
    programChanged_ = false;
    SetProgramPath(path);
    DropRecoveryCopy();
    return true;
}

// Plain Logo files hold English commands: the program is rewritten into
// English long commands first, and stays so. A procedure holding the byte
// that separates the native format's fields cannot be stored there.
bool MainWindow::WriteProgramFile(const QString& path, int kind) {
    const ProcedureStore& store = engine_.Procedures();
    const std::string file = path.toStdString();
    if (kind == LogoKind) {
        SetDialect(false, true);
        int keptAsWritten = 0;
        if (ExportLogoText(store, file, &keptAsWritten)) {
            if (keptAsWritten > 0)
                CurrentDialogs().ShowMessage(
                    Text(KeptAsWrittenTextId) + u' ' + QString::number(keptAsWritten), Text(7806));
            return true;
        }
    } else {
        const auto holdsSeparator = [](const std::string& text) {
            return text.find(ProgramSeparator) != std::string::npos;
        };
        if (std::ranges::any_of(store.Headers(), holdsSeparator) ||
            std::ranges::any_of(store.Bodies(), holdsSeparator)) {
            ShowFileError(7731, path, 7736);
            return false;
        }
        if (::mivarelo::SaveProgram(store, file)) return true;
    }
    ShowFileError(7731, path, 7735);
    return false;
}

// The picture as a 24-bit BMP or as PNG, written beside the target and then
// renamed over it, so a failed save leaves the old file.
bool MainWindow::WritePicture(const QString& path, int kind, const QRect& area) {
    const QImage& whole = engine_.Screen().Surface().Image();
    const QImage picture = area.isNull() ? whole : whole.copy(area);
    QSaveFile file(path);
    const bool ok =
        file.open(QIODevice::WriteOnly) &&
        (kind == BitmapKind ? picture.convertToFormat(QImage::Format_RGB888).save(&file, "BMP")
                            : picture.save(&file, "PNG")) &&
        file.commit();
    if (!ok) ShowFileError(7731, path, 7735);
    return ok;
}

void MainWindow::ShowFileError(int whatId, const QString& path, int reasonId) {
    CurrentDialogs().ShowMessage(
        Text(whatId) + ": " + QDir::toNativeSeparators(path) + "\n" + Text(reasonId), Text(7737));
}

QString MainWindow::CommandLineFile(const QStringList& arguments) {
    if (arguments.isEmpty()) return {};
    const QString joined = arguments.join(u' ');
    if (QFileInfo(joined).isFile()) return joined;
    if (QFileInfo(arguments.first()).isFile()) return arguments.first();
    return {};
}

void MainWindow::OpenCommandLineFile(const QStringList& arguments) {
    const QString file = CommandLineFile(arguments);
    if (!file.isEmpty()) OpenPath(file);
}

// A file that comes during a run waits for its end; the status bar says so
// at once.
void MainWindow::ReceiveFile(const QString& path) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    if (!Running() && !Globals().RunActive) {
        OpenPath(path);
        return;
    }
    pendingFile_ = path;
    UstStatusBar->showMessage(Text(PendingFileTextId).arg(QDir::toNativeSeparators(path)));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Only the first of several dropped files is opened; nothing while running.
void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (Running() || urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    OpenPath(urls.first().toLocalFile());
}

void MainWindow::ShowRecentFiles() {
    const QStringList& entries = recent_.Entries();
    bool any = false;
    for (int i = 0; i < actions_->MRU.size(); ++i) {
        QAction* item = actions_->MRU[i];
        const QString path = entries.value(i);
        item->setVisible(!path.isEmpty());
        item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        any = any || !path.isEmpty();
    }
    actions_->MRUSeparator->setVisible(any);
}

QString MainWindow::LastFolder() const {
    return QSettings().value(QStringLiteral("LastFolder"), QDir::homePath()).toString();
}

void MainWindow::RememberFolder(const QString& path) {
    QSettings().setValue(QStringLiteral("LastFolder"), QFileInfo(path).absolutePath());
}

// ---- printing ------------------------------------------------------------

void MainWindow::PrintPicture() {
    CurrentDialogs().ShowMessage(printer_.PageSizeText(), QStringLiteral("Mivarelo"));
    if (!CurrentDialogs().ConfirmPrint(printer_.Printer())) return;
    QString error;
    if (!printer_.Print(engine_.Screen().Surface(), error))
        CurrentDialogs().ShowMessage(Text(7738) + "\n" + error, Text(7737));
}

void MainWindow::PrintPreview() {
    printer_.Preview(engine_.Screen().Surface(), this);
}

// The picture as PNG pixels or as SVG shapes; a path without an extension
// gets the format's.
// The drawn part with a margin, or the whole picture when that filter is
// chosen; the status bar says where the file went.
void MainWindow::ExportPicture(bool svg) {
    const QString extension = svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    int chosen = 1;
    QString path = CurrentDialogs().ChooseSaveFile(
        Text(svg ? 7741 : 7740), LastFolder(), {Text(svg ? 7921 : 7919), Text(svg ? 7922 : 7920)},
        &chosen);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += extension;
    RememberFolder(path);
    const Picture& picture = engine_.Screen().Surface();
    const QRect area = chosen == 2 ? QRect() : DrawnPart();
    const bool saved =
        svg ? printer_.ExportSvg(picture, path, area) : WritePicture(path, PngKind, area);
    if (!saved) {
        if (svg) ShowFileError(7731, path, 7735);
        return;
    }
    UstStatusBar->showMessage(Text(7923).arg(QDir::toNativeSeparators(path)), StatusMessageMs);
}

// The painted pixels with a margin; the whole picture when nothing is drawn.
QRect MainWindow::DrawnPart() const {
    const QRect box = PaintedBox(engine_.Screen());
    return box.isNull() ? QRect(0, 0, Globals().ScreenWidth, Globals().ScreenHeight)
                        : WithMargin(box);
}

void MainWindow::ExportPdf() {
    QString path = CurrentDialogs().ChooseSaveFile(Text(7462), LastFolder(),
                                                   {QStringLiteral("PDF (*.pdf)")}, nullptr);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    RememberFolder(path);
    QString error;
    if (!printer_.ExportPdf(engine_.Screen().Surface(), path, error))
        CurrentDialogs().ShowMessage(Text(7738) + "\n" + error, Text(7737));
}

QStringList MainWindow::ErrorEntries() const {
    QStringList entries;
    if (controls_.ErrorList)
        for (int i = 0; i < controls_.ErrorList->count(); ++i)
            entries << controls_.ErrorList->item(i)->text();
    return entries;
}

void MainWindow::ExportProgramHtml() {
    StoreEditorIntoProcedure();
    QString path = CurrentDialogs().ChooseSaveFile(
        Text(7820), LastFolder(), {Text(7823) + QStringLiteral(" (*.html *.htm)")}, nullptr);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".html");
    RememberFolder(path);
    const QString page =
        ProgramHtml(engine_.Procedures(), QFileInfo(path).completeBaseName(), ErrorEntries());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page.toUtf8()) < 0 || !file.commit())
        ShowFileError(7731, path, 7735);
}

// The same page as the HTML export, laid out on the printer's pages.
void MainWindow::PrintProgram() {
    StoreEditorIntoProcedure();
    QPrinter& printer = printer_.Printer();
    if (!CurrentDialogs().ConfirmPrint(printer)) return;
    QTextDocument document;
    document.setHtml(ProgramHtml(engine_.Procedures(), QStringLiteral("Mivarelo"), ErrorEntries()));
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        CurrentDialogs().ShowMessage(Text(7738), Text(7737));
}

// ---- status bar ----------------------------------------------------------

void MainWindow::RefreshStatusBar() {
    const TurtleState& t = engine_.Screen().State();
    const std::array<QString, 7> texts = {
        StatusPanels::Format(7901, {t.TurtleX, t.TurtleY}),
        StatusPanels::Format(7902, {t.HomeX, t.HomeY}),
        StatusPanels::Format(t.PenIsDown ? 7903 : 7904, {}),
        StatusPanels::Format(7905, {}, StatusPanels::Heading(t.Heading)),
        StatusPanels::Format(7906, {}, ColorToListText(t.PenColor)),
        StatusPanels::Format(7907, {}, ColorToListText(t.FillColor)),
        StatusPanels::Format(7908, {}, ColorToListText(t.ScreenColor)),
    };
    for (std::size_t k = 0; k < texts.size(); ++k)
        panels_[k]->setText(texts[k]);
}

// Each panel is as wide as its longest text, so that the numbers never jump
// and nothing is cut off.
void MainWindow::SizePanels() {
    const std::string widest = ColorToListText(0xFFFFFF);
    const std::array<QString, 8> longest = {
        StatusPanels::Format(7901, {1999, 1999}),
        StatusPanels::Format(7902, {1999, 1999}),
        std::max(StatusPanels::Format(7903, {}), StatusPanels::Format(7904, {}),
                 [](const QString& a, const QString& b) { return a.size() < b.size(); }),
        StatusPanels::Format(7905, {}, StatusPanels::Heading(-359.9f)),
        StatusPanels::Format(7906, {}, widest),
        StatusPanels::Format(7907, {}, widest),
        StatusPanels::Format(7908, {}, widest),
        StatusPanels::Format(7909, {1999, 1999}),
    };
    for (std::size_t k = 0; k < panels_.size(); ++k) {
        const int text = panels_[k]->fontMetrics().horizontalAdvance(longest[k]) + 12;
        panels_[k]->setFixedWidth(std::max(PanelWidths[k], text));
    }
}

void MainWindow::SetMousePanel(QPoint position) {
    panels_[7]->setText(StatusPanels::Format(7909, {position.x(), position.y()}));
}

void MainWindow::ShowMessage(const std::string& text, const std::string& caption) {
    CurrentDialogs().ShowMessage(ToQt(text), ToQt(caption));
}

void MainWindow::Beep() {
    QApplication::beep();
}

} // namespace mivarelo
