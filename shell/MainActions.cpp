#include "shell/MainActions.h"

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
    FileMenu = AddMenu(bar, nullptr, 7401, "File");
    OpenAction = Add(FileMenu, 7402, "Open File");
    OpenAction->setShortcut(QKeySequence::Open);
    SaveAction = Add(FileMenu, 7403, "Save File");
    SaveAction->setShortcut(QKeySequence::Save);
    ResetAction = Add(FileMenu, 7404, "Reset");
    ResetAction->setShortcut(Qt::Key_F10);
    ExamplesSubmenu = AddMenu(bar, FileMenu, 7910, "Examples");
    FileMenu->addSeparator();
    PrintOrientationMenu = AddMenu(bar, FileMenu, 7405, "Print Orientation");
    LandscapeAction = Add(PrintOrientationMenu, 7407, "Landscape");
    PortraitAction = Add(PrintOrientationMenu, 7408, "Portrait");
    Group({LandscapeAction, PortraitAction});
    LandscapeAction->setChecked(true);
    PrintTypeMenu = AddMenu(bar, FileMenu, 7406, "Print Type");
    ProportionalAction = Add(PrintTypeMenu, 7409, "Proportional");
    AsItIsAction = Add(PrintTypeMenu, 7410, "As It Is");
    FitToPageAction = Add(PrintTypeMenu, 7411, "Fit To Screen");
    Group({ProportionalAction, AsItIsAction, FitToPageAction});
    ProportionalAction->setChecked(true);
    PrintPictureAction = Add(FileMenu, 7463, "Print");
    PrintPictureAction->setShortcut(QKeySequence::Print);
    PrintPreviewAction = Add(FileMenu, 7461, "Print Preview");
    ExportPngAction = Add(FileMenu, 7740, "Export Picture as PNG…");
    ExportSvgAction = Add(FileMenu, 7741, "Export Picture as SVG…");
    idleActions_ << ExportPngAction << ExportSvgAction;
    ExportPdfAction = Add(FileMenu, 7462, "Export as PDF");
    ExportHtmlAction = Add(FileMenu, 7820, "Export Program as HTML...");
    PrintProgramAction = Add(FileMenu, 7821, "Print Program...");
    FileMenu->addSeparator();
    ExitAction = Add(FileMenu, 7412, "Exit");
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
    ProcedureMenu = AddMenu(bar, nullptr, 7413, "Procedure");
    StopAction = Add(ProcedureMenu, 7414, "Stop");
    StopAction->setShortcut(Qt::Key_F8);
    AddProcedureAction = Add(ProcedureMenu, 7415, "Add Procedur");
    AddProcedureAction->setShortcut(Qt::Key_F3);
    RunProcedureAction = Add(ProcedureMenu, 7416, "Run Procedur");
    RunProcedureAction->setShortcut(Qt::Key_F2);
    DeleteProceduresAction = Add(ProcedureMenu, 7417, "Delete Procedur");
    EnterArgumentsAction = Add(ProcedureMenu, 7418, "Enter Argumans");
    RenameProcedureAction = Add(ProcedureMenu, 7419, "Rename Procedur");
    idleActions_ << AddProcedureAction << RunProcedureAction << DeleteProceduresAction << EnterArgumentsAction
                 << RenameProcedureAction;
    BuildRunSpeedMenu(bar);
}

// F5 and F6 are free in every mode: no command or window uses them.
void MainActions::BuildRunSpeedMenu(QMenuBar* bar) {
    ProcedureMenu->addSeparator();
    PauseAction = Add(ProcedureMenu, 7766, "Pause", true);
    PauseAction->setShortcut(Qt::Key_F5);
    StepAction = Add(ProcedureMenu, 7768, "Step");
    StepAction->setShortcut(Qt::Key_F6);
    RunSpeedMenu = AddMenu(bar, ProcedureMenu, 7760, "Run Speed");
    FullSpeedAction = Add(RunSpeedMenu, 7761, "Full Speed");
    FastSpeedAction = Add(RunSpeedMenu, 7762, "Fast");
    NormalSpeedAction = Add(RunSpeedMenu, 7763, "Normal");
    SlowSpeedAction = Add(RunSpeedMenu, 7764, "Slow");
    StepSpeedAction = Add(RunSpeedMenu, 7765, "Step by Step");
    Group({FullSpeedAction, FastSpeedAction, NormalSpeedAction, SlowSpeedAction, StepSpeedAction});
    FullSpeedAction->setChecked(true);
}

void MainActions::BuildOptionsMenu(QMenuBar* bar) {
    OptionsMenu = AddMenu(bar, nullptr, 7420, "Options");
    TurtleLookMenu = AddMenu(bar, OptionsMenu, 7421, "Turtle Apperance");
    TurtleImage1Action = Add(TurtleLookMenu, 7422, "Turtle Image 1 ");
    TurtleImage2Action = Add(TurtleLookMenu, 7423, "Turtle Image 2 ");
    TurtleCircleAction = Add(TurtleLookMenu, 7424, "Circle");
    TurtleOtherImagesAction = Add(TurtleLookMenu, 7425, "Other Images");
    Group({TurtleImage1Action, TurtleImage2Action, TurtleCircleAction, TurtleOtherImagesAction});
    TurnCommandMenu = AddMenu(bar, OptionsMenu, 7426, "Turn Command Type");
    TurnSetHeadingAction = Add(TurnCommandMenu, 7427, "SetH");
    TurnClosestAction = Add(TurnCommandMenu, 7428, "Closest");
    TurnLeftAction = Add(TurnCommandMenu, 7429, "Left");
    TurnRightAction = Add(TurnCommandMenu, 7430, "Right");
    Group({TurnSetHeadingAction, TurnClosestAction, TurnLeftAction, TurnRightAction});
    ShowVariablesAction = Add(OptionsMenu, 7431, "Show Variables");
    TraceMouseAction = Add(OptionsMenu, 7432, "Trace Mouse", true);
    UseDirectionsAction = Add(OptionsMenu, 7433, "Use Directions", true);
    ScreenColourAction = Add(OptionsMenu, 7435, "Screen Colour");
    InsertColourAction = Add(OptionsMenu, 7822, "Insert Colour...");
    InterfaceLanguageMenu = AddMenu(bar, OptionsMenu, 7436, "Language");
    EnglishInterfaceAction = Add(InterfaceLanguageMenu, 7437, "English");
    TurkishInterfaceAction = Add(InterfaceLanguageMenu, 7438, "Turkish");
    Group({EnglishInterfaceAction, TurkishInterfaceAction});
    TurkishInterfaceAction->setChecked(true);
    CommandDialectMenu = AddMenu(bar, OptionsMenu, 7439, "Command Language Type");
    TurkishLongAction = Add(CommandDialectMenu, 7440, "Turkish Long Commands");
    TurkishShortAction = Add(CommandDialectMenu, 7441, "Turkish Short Commands");
    EnglishLongAction = Add(CommandDialectMenu, 7442, "English Long Commands");
    EnglishShortAction = Add(CommandDialectMenu, 7443, "English Short Commands");
    Group({TurkishLongAction, TurkishShortAction, EnglishLongAction, EnglishShortAction});
    OptionsMenu->addSeparator();
    StopAtErrorsAction = Add(OptionsMenu, 7444, "Stop At Errors", true);
    ShowErrorsAction = Add(OptionsMenu, 7445, "Show Errors", true);
    ShowErrorsAction->setChecked(true);
    CorrectErrorsAction = Add(OptionsMenu, 7446, "Auomatically Correct Errors", true);
    CorrectErrorsAction->setChecked(true);
    AcceptSpaceAction = Add(OptionsMenu, 7447, "Accept Space", true);
    AcceptSpaceAction->setChecked(true);
    PreciseTurtleAction = Add(OptionsMenu, 7961, "Precise Turtle", true);
    OptionsMenu->addSeparator();
    ZoomMenu = AddMenu(bar, OptionsMenu, 7911, "Zoom");
    ZoomFitAction = Add(ZoomMenu, 7912, "Fit to Window");
    Zoom50Action = Add(ZoomMenu, 7913, "50 %");
    Zoom100Action = Add(ZoomMenu, 7914, "100 %");
    Zoom100Action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    Zoom200Action = Add(ZoomMenu, 7915, "200 %");
    ZoomMenu->addSeparator();
    ZoomInAction = Add(ZoomMenu, 7916, "Zoom In");
    ZoomInAction->setShortcut(QKeySequence::ZoomIn);
    ZoomOutAction = Add(ZoomMenu, 7917, "Zoom Out");
    ZoomOutAction->setShortcut(QKeySequence::ZoomOut);
    ZoomMenu->addSeparator();
    KeepInViewAction = Add(ZoomMenu, 7918, "Keep Drawing in View", true);
    idleActions_ << ShowVariablesAction << ScreenColourAction << StopAtErrorsAction
                 << ShowErrorsAction << CorrectErrorsAction << AcceptSpaceAction
                 << PreciseTurtleAction;
    idleActions_ << InsertColourAction;
}

void MainActions::BuildModesMenu(QMenuBar* bar) {
    ModesMenu = AddMenu(bar, nullptr, 7449, "Modes");
    CommandModeAction = Add(ModesMenu, 7450, "Command Mode");
    CommandModeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    GraphicalModeAction = Add(ModesMenu, 7451, "Graphical  Mode");
    GraphicalModeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    ModesMenu->addSeparator();
    QuickCommandsAction = Add(ModesMenu, 7453, "Quick Commands", true);
    ShowStatusBarAction = Add(ModesMenu, 7454, "Show Statusbar", true);
    ShowStatusBarAction->setChecked(true);
    InspectorAction = Add(ModesMenu, 7769, "Variable Inspector", true);
    ShowCommandWindowAction = Add(ModesMenu, 7456, "Show Command Window", true);
    ShowCommandWindowAction->setChecked(true);
    RunWhenOpenedAction = Add(ModesMenu, 7457, "Run When Opened", true);
    RunWhenOpenedAction->setChecked(true);
    SetDefaultSoftwareAction = Add(ModesMenu, 7459, "Set Default Software");
    RefreshScreenAction = Add(ModesMenu, 7471, "Refresh Screen");
    CanUndoLastCommandAction = Add(ModesMenu, 7472, "Can Undo Last Command", true);
    CanUndoLastCommandAction->setChecked(true);
    idleActions_ << CommandModeAction << GraphicalModeAction << QuickCommandsAction << ShowStatusBarAction
                 << ShowCommandWindowAction << RunWhenOpenedAction << SetDefaultSoftwareAction;
}

void MainActions::BuildHelpMenu(QMenuBar* bar) {
    HelpMenu = AddMenu(bar, nullptr, 7466, "Help");
    HelpContentsAction = Add(HelpMenu, 7468, "Contents");
    HelpContentsAction->setShortcut(QKeySequence::HelpContents);
    CommandHelpAction = Add(HelpMenu, 7469, "LOGO Commands");
    SamplesHelpAction = Add(HelpMenu, 7470, "MIVARELO Samples");
    HelpMenu->addSeparator();
    AboutAction = Add(HelpMenu, 7467, "About MIVARELO");
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
