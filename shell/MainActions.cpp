#include "shell/MainActions.h"

#include "core/LanguageIds.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace mivarelo {

MainActions::MainActions(QMenuBar* bar, QObject* owner) : owner_(owner) {
    BuildFileMenu(bar);
    BuildProcedureMenu(bar);
    BuildOptionsMenu(bar);
    BuildModesMenu(bar);
    BuildHelpMenu(bar);
}

QAction* MainActions::Add(QMenu* menu, int id, const char* caption, bool checkable) {
    auto* action = new QAction(QString::fromUtf8(caption), owner_);
    action->setCheckable(checkable);
    menu->addAction(action);
    if (id) captions_.append({action, id});
    return action;
}

QMenu* MainActions::AddMenu(QMenuBar* bar, QMenu* parent, int id, const char* caption) {
    QMenu* menu = parent ? parent->addMenu(QString::fromUtf8(caption))
                         : bar->addMenu(QString::fromUtf8(caption));
    captions_.append({menu, id});
    return menu;
}

QActionGroup* MainActions::Group(std::initializer_list<QAction*> actions) {
    auto* group = new QActionGroup(owner_);
    for (QAction* action : actions) {
        action->setCheckable(true);
        group->addAction(action);
    }
    return group;
}

void MainActions::BuildFileMenu(QMenuBar* bar) {
    FileMenu = AddMenu(bar, nullptr, FileMenuId, "File");
    OpenAction = Add(FileMenu, OpenFileId, "Open File");
    OpenAction->setShortcut(QKeySequence::Open);
    SaveAction = Add(FileMenu, SaveFileId, "Save File");
    SaveAction->setShortcut(QKeySequence::Save);
    ResetAction = Add(FileMenu, ResetId, "Reset");
    ResetAction->setShortcut(Qt::Key_F10);
    ExamplesSubmenu = AddMenu(bar, FileMenu, ExamplesMenuId, "Examples");
    OpenClassFolderAction = Add(FileMenu, OpenClassFolderId, "Open Class Folder...");
    FileMenu->addSeparator();
    PrintOrientationMenu = AddMenu(bar, FileMenu, PrintOrientationId, "Print Orientation");
    LandscapeAction = Add(PrintOrientationMenu, LandscapeId, "Landscape");
    PortraitAction = Add(PrintOrientationMenu, PortraitId, "Portrait");
    Group({LandscapeAction, PortraitAction});
    LandscapeAction->setChecked(true);
    PrintTypeMenu = AddMenu(bar, FileMenu, PrintTypeId, "Print Type");
    ProportionalAction = Add(PrintTypeMenu, ProportionalId, "Proportional");
    AsItIsAction = Add(PrintTypeMenu, AsItIsId, "As It Is");
    FitToPageAction = Add(PrintTypeMenu, FitToPageId, "Fit To Screen");
    Group({ProportionalAction, AsItIsAction, FitToPageAction});
    ProportionalAction->setChecked(true);
    PrintPictureAction = Add(FileMenu, PrintId, "Print");
    PrintPictureAction->setShortcut(QKeySequence::Print);
    PrintPreviewAction = Add(FileMenu, PrintPreviewId, "Print Preview");
    ExportPngAction = Add(FileMenu, ExportPngId, "Export Picture as PNG…");
    ExportSvgAction = Add(FileMenu, ExportSvgId, "Export Picture as SVG…");
    idleActions_ << ExportPngAction << ExportSvgAction;
    ExportPdfAction = Add(FileMenu, ExportPdfId, "Export as PDF");
    ExportHtmlAction = Add(FileMenu, ExportHtmlId, "Export Program as HTML...");
    PrintProgramAction = Add(FileMenu, PrintProgramId, "Print Program...");
    FileMenu->addSeparator();
    ExitAction = Add(FileMenu, ExitId, "Exit");
    ExitAction->setShortcut(QKeySequence::Quit);
    MRUSeparator = FileMenu->addSeparator();
    for (int i = 0; i < 5; ++i) {
        QAction* entry = FileMenu->addAction(QString());
        entry->setVisible(false);
        MRU << entry;
    }
    MRUSeparator->setVisible(false);
    idleActions_ << OpenAction << SaveAction << ResetAction << ExamplesSubmenu->menuAction()
                 << PrintPictureAction << PrintPreviewAction << ExportPdfAction << ExitAction;
    idleActions_ << ExportHtmlAction << PrintProgramAction;
    idleActions_ << MRU;
}

void MainActions::BuildProcedureMenu(QMenuBar* bar) {
    ProcedureMenu = AddMenu(bar, nullptr, ProcedureMenuId, "Procedure");
    StopAction = Add(ProcedureMenu, StopId, "Stop");
    StopAction->setShortcut(Qt::Key_F8);
    AddProcedureAction = Add(ProcedureMenu, AddProcedureId, "Add Procedur");
    AddProcedureAction->setShortcut(Qt::Key_F3);
    RunProcedureAction = Add(ProcedureMenu, RunProcedureId, "Run Procedur");
    RunProcedureAction->setShortcut(Qt::Key_F2);
    DeleteProceduresAction = Add(ProcedureMenu, DeleteProcedureId, "Delete Procedur");
    EnterArgumentsAction = Add(ProcedureMenu, EnterArgumentsId, "Enter Argumans");
    RenameProcedureAction = Add(ProcedureMenu, RenameProcedureId, "Rename Procedur");
    idleActions_ << AddProcedureAction << RunProcedureAction << DeleteProceduresAction
                 << EnterArgumentsAction << RenameProcedureAction;
    BuildRunSpeedMenu(bar);
}

// F5 and F6 are free in every mode: no command or window uses them.
void MainActions::BuildRunSpeedMenu(QMenuBar* bar) {
    ProcedureMenu->addSeparator();
    PauseAction = Add(ProcedureMenu, PauseContinueId, "Pause", true);
    PauseAction->setShortcut(Qt::Key_F5);
    StepAction = Add(ProcedureMenu, StepId, "Step");
    StepAction->setShortcut(Qt::Key_F6);
    RunSpeedMenu = AddMenu(bar, ProcedureMenu, RunSpeedId, "Run Speed");
    FullSpeedAction = Add(RunSpeedMenu, FullSpeedId, "Full Speed");
    FastSpeedAction = Add(RunSpeedMenu, FastSpeedId, "Fast");
    NormalSpeedAction = Add(RunSpeedMenu, NormalSpeedId, "Normal");
    SlowSpeedAction = Add(RunSpeedMenu, SlowSpeedId, "Slow");
    StepSpeedAction = Add(RunSpeedMenu, StepByStepId, "Step by Step");
    Group({FullSpeedAction, FastSpeedAction, NormalSpeedAction, SlowSpeedAction, StepSpeedAction});
    FullSpeedAction->setChecked(true);
}

void MainActions::BuildOptionsMenu(QMenuBar* bar) {
    OptionsMenu = AddMenu(bar, nullptr, OptionsMenuId, "Options");
    TurtleLookMenu = AddMenu(bar, OptionsMenu, TurtleAppearanceId, "Turtle Apperance");
    TurtleImage1Action = Add(TurtleLookMenu, TurtleImage1Id, "Turtle Image 1 ");
    TurtleImage2Action = Add(TurtleLookMenu, TurtleImage2Id, "Turtle Image 2 ");
    TurtleCircleAction = Add(TurtleLookMenu, TurtleCircleId, "Circle");
    TurtleOtherImagesAction = Add(TurtleLookMenu, OtherImageId, "Other Images");
    Group({TurtleImage1Action, TurtleImage2Action, TurtleCircleAction, TurtleOtherImagesAction});
    TurnCommandMenu = AddMenu(bar, OptionsMenu, TurnCommandTypeId, "Turn Command Type");
    TurnSetHeadingAction = Add(TurnCommandMenu, TurnSetHeadingId, "SetH");
    TurnClosestAction = Add(TurnCommandMenu, TurnClosestId, "Closest");
    TurnLeftAction = Add(TurnCommandMenu, TurnLeftId, "Left");
    TurnRightAction = Add(TurnCommandMenu, TurnRightId, "Right");
    Group({TurnSetHeadingAction, TurnClosestAction, TurnLeftAction, TurnRightAction});
    ShowVariablesAction = Add(OptionsMenu, ShowVariablesId, "Show Variables");
    TraceMouseAction = Add(OptionsMenu, FollowTurtleId, "Trace Mouse", true);
    UseDirectionsAction = Add(OptionsMenu, UseDirectionsId, "Use Directions", true);
    ScreenColourAction = Add(OptionsMenu, ScreenColourMenuId, "Screen Colour");
    InsertColourAction = Add(OptionsMenu, InsertColourId, "Insert Colour...");
    InterfaceLanguageMenu = AddMenu(bar, OptionsMenu, LanguageMenuId, "Language");
    EnglishInterfaceAction = Add(InterfaceLanguageMenu, EnglishId, "English");
    TurkishInterfaceAction = Add(InterfaceLanguageMenu, TurkishId, "Turkish");
    Group({EnglishInterfaceAction, TurkishInterfaceAction});
    TurkishInterfaceAction->setChecked(true);
    CommandDialectMenu = AddMenu(bar, OptionsMenu, CommandLanguageId, "Command Language Type");
    TurkishLongAction = Add(CommandDialectMenu, TurkishLongCommandsId, "Turkish Long Commands");
    TurkishShortAction = Add(CommandDialectMenu, TurkishShortCommandsId, "Turkish Short Commands");
    EnglishLongAction = Add(CommandDialectMenu, EnglishLongCommandsId, "English Long Commands");
    EnglishShortAction = Add(CommandDialectMenu, EnglishShortCommandsId, "English Short Commands");
    Group({TurkishLongAction, TurkishShortAction, EnglishLongAction, EnglishShortAction});
    OptionsMenu->addSeparator();
    StopAtErrorsAction = Add(OptionsMenu, StopAtErrorsId, "Stop At Errors", true);
    ShowErrorsAction = Add(OptionsMenu, ShowErrorsId, "Show Errors", true);
    ShowErrorsAction->setChecked(true);
    CorrectErrorsAction = Add(OptionsMenu, CorrectErrorsId, "Auomatically Correct Errors", true);
    CorrectErrorsAction->setChecked(true);
    AcceptSpaceAction = Add(OptionsMenu, AcceptSpacesId, "Accept Space", true);
    AcceptSpaceAction->setChecked(true);
    PreciseTurtleAction = Add(OptionsMenu, PreciseTurtleId, "Precise Turtle", true);
    OptionsMenu->addSeparator();
    ZoomMenu = AddMenu(bar, OptionsMenu, ZoomMenuId, "Zoom");
    ZoomFitAction = Add(ZoomMenu, ZoomFitId, "Fit to Window");
    Zoom50Action = Add(ZoomMenu, Zoom50Id, "50 %");
    Zoom100Action = Add(ZoomMenu, Zoom100Id, "100 %");
    Zoom100Action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    Zoom200Action = Add(ZoomMenu, Zoom200Id, "200 %");
    ZoomMenu->addSeparator();
    ZoomInAction = Add(ZoomMenu, ZoomInId, "Zoom In");
    ZoomInAction->setShortcut(QKeySequence::ZoomIn);
    ZoomOutAction = Add(ZoomMenu, ZoomOutId, "Zoom Out");
    ZoomOutAction->setShortcut(QKeySequence::ZoomOut);
    ZoomMenu->addSeparator();
    KeepInViewAction = Add(ZoomMenu, KeepInViewId, "Keep Drawing in View", true);
    idleActions_ << ShowVariablesAction << ScreenColourAction << StopAtErrorsAction
                 << ShowErrorsAction << CorrectErrorsAction << AcceptSpaceAction
                 << PreciseTurtleAction;
    idleActions_ << InsertColourAction;
}

void MainActions::BuildModesMenu(QMenuBar* bar) {
    ModesMenu = AddMenu(bar, nullptr, ModesMenuId, "Modes");
    CommandModeAction = Add(ModesMenu, CommandModeId, "Command Mode");
    CommandModeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    GraphicalModeAction = Add(ModesMenu, GraphicalModeId, "Graphical  Mode");
    GraphicalModeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    ModesMenu->addSeparator();
    QuickCommandsAction = Add(ModesMenu, QuickCommandsId, "Quick Commands", true);
    ShowStatusBarAction = Add(ModesMenu, ShowStatusBarId, "Show Statusbar", true);
    ShowStatusBarAction->setChecked(true);
    InspectorAction = Add(ModesMenu, VariableInspectorId, "Variable Inspector", true);
    ShowCommandWindowAction = Add(ModesMenu, ShowCommandWindowId, "Show Command Window", true);
    ShowCommandWindowAction->setChecked(true);
    RunWhenOpenedAction = Add(ModesMenu, RunWhenOpenedId, "Run When Opened", true);
    RunWhenOpenedAction->setChecked(true);
    SetDefaultSoftwareAction = Add(ModesMenu, SetDefaultProgramId, "Set Default Software");
    RefreshScreenAction = Add(ModesMenu, RefreshScreenId, "Refresh Screen");
    CanUndoLastCommandAction = Add(ModesMenu, AllowUndoId, "Can Undo Last Command", true);
    CanUndoLastCommandAction->setChecked(true);
    idleActions_ << CommandModeAction << GraphicalModeAction << QuickCommandsAction
                 << ShowStatusBarAction << ShowCommandWindowAction << RunWhenOpenedAction
                 << SetDefaultSoftwareAction;
}

void MainActions::BuildHelpMenu(QMenuBar* bar) {
    HelpMenu = AddMenu(bar, nullptr, HelpMenuId, "Help");
    HelpContentsAction = Add(HelpMenu, ContentsId, "Contents");
    HelpContentsAction->setShortcut(QKeySequence::HelpContents);
    CommandHelpAction = Add(HelpMenu, LogoCommandsId, "LOGO Commands");
    SamplesHelpAction = Add(HelpMenu, SamplesId, "MIVARELO Samples");
    HelpMenu->addSeparator();
    AboutAction = Add(HelpMenu, AboutId, "About MIVARELO");
    // F8 is shared: Stop while a program runs, the next error while none does.
    NextErrorAction = new QAction(owner_);
    NextErrorAction->setShortcut(Qt::Key_F8);
    idleActions_ << NextErrorAction;
}

void MainActions::SetCaptions() const {
    for (const auto& [object, id] : captions_) {
        const QString text = LanguageText(id);
        if (auto* action = qobject_cast<QAction*>(object))
            action->setText(text);
        else if (auto* menu = qobject_cast<QMenu*>(object))
            menu->setTitle(text);
    }
}

} // namespace mivarelo
