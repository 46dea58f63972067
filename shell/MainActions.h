#pragma once
// The menus and actions of the main window, one QAction per entry, with the
// language id of each caption. The main window connects the actions; this
// class only builds them and retitles them on a language switch.
#include <QList>

#include <utility>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QObject;

namespace mivarelo {

class MainActions {
public:
    // Builds every menu into `bar`; the actions belong to `owner`.
    MainActions(QMenuBar* bar, QObject* owner);

    // Every caption with a language id from the loaded language.
    void SetCaptions() const;
    // The actions that only a program at rest may use.
    const QList<QAction*>& IdleActions() const { return idleActions_; }

    QMenu* FileMenu = nullptr;
    QAction* OpenAction = nullptr;
    QAction* SaveAction = nullptr;
    QAction* ResetAction = nullptr;
    QAction* MRUSeparator = nullptr;
    // Filled by ExamplesMenu.
    QMenu* ExamplesSubmenu = nullptr;
    QAction* OpenClassFolderAction = nullptr;
    QMenu* PrintOrientationMenu = nullptr;
    QAction* LandscapeAction = nullptr;
    QAction* PortraitAction = nullptr;
    QMenu* PrintTypeMenu = nullptr;
    QAction* ProportionalAction = nullptr;
    QAction* AsItIsAction = nullptr;
    QAction* FitToPageAction = nullptr;
    QAction* PrintPictureAction = nullptr;
    QAction* PrintPreviewAction = nullptr;
    QAction* ExportPngAction = nullptr;
    QAction* ExportSvgAction = nullptr;
    QAction* ExportPdfAction = nullptr;
    QAction* ExportHtmlAction = nullptr;
    QAction* PrintProgramAction = nullptr;
    QAction* ExitAction = nullptr;
    // The recent files, at the end of the File menu.
    QList<QAction*> MRU;

    QMenu* ProcedureMenu = nullptr;
    QAction* StopAction = nullptr;
    QAction* AddProcedureAction = nullptr;
    QAction* RunProcedureAction = nullptr;
    QAction* DeleteProceduresAction = nullptr;
    QAction* EnterArgumentsAction = nullptr;
    QAction* RenameProcedureAction = nullptr;
    // Watching a run: its pace, Pause/Continue (checked while paused), Step.
    QMenu* RunSpeedMenu = nullptr;
    QAction* FullSpeedAction = nullptr;
    QAction* FastSpeedAction = nullptr;
    QAction* NormalSpeedAction = nullptr;
    QAction* SlowSpeedAction = nullptr;
    QAction* StepSpeedAction = nullptr;
    QAction* PauseAction = nullptr;
    QAction* StepAction = nullptr;

    QMenu* OptionsMenu = nullptr;
    QMenu* TurtleLookMenu = nullptr;
    QAction* TurtleImage1Action = nullptr;
    QAction* TurtleImage2Action = nullptr;
    QAction* TurtleCircleAction = nullptr;
    QAction* TurtleOtherImagesAction = nullptr;
    QMenu* TurnCommandMenu = nullptr;
    QAction* TurnSetHeadingAction = nullptr;
    QAction* TurnClosestAction = nullptr;
    QAction* TurnLeftAction = nullptr;
    QAction* TurnRightAction = nullptr;
    QAction* ShowVariablesAction = nullptr;
    QAction* TraceMouseAction = nullptr;
    QAction* UseDirectionsAction = nullptr;
    QAction* ScreenColourAction = nullptr;
    // Writes a chosen colour as a colour list at the editor's cursor.
    QAction* InsertColourAction = nullptr;
    QMenu* InterfaceLanguageMenu = nullptr;
    QAction* EnglishInterfaceAction = nullptr;
    QAction* TurkishInterfaceAction = nullptr;
    QMenu* CommandDialectMenu = nullptr;
    QMenu* ZoomMenu = nullptr;
    QAction* ZoomFitAction = nullptr;
    QAction* Zoom50Action = nullptr;
    QAction* Zoom100Action = nullptr;
    QAction* Zoom200Action = nullptr;
    QAction* ZoomInAction = nullptr;
    QAction* ZoomOutAction = nullptr;
    QAction* KeepInViewAction = nullptr;
    QAction* TurkishLongAction = nullptr;
    QAction* TurkishShortAction = nullptr;
    QAction* EnglishLongAction = nullptr;
    QAction* EnglishShortAction = nullptr;
    QAction* StopAtErrorsAction = nullptr;
    QAction* ShowErrorsAction = nullptr;
    QAction* CorrectErrorsAction = nullptr;
    QAction* AcceptSpaceAction = nullptr;
    QAction* PreciseTurtleAction = nullptr; // the precise turtle

    QMenu* ModesMenu = nullptr;
    QAction* CommandModeAction = nullptr;
    QAction* GraphicalModeAction = nullptr;
    QAction* QuickCommandsAction = nullptr;
    QAction* ShowStatusBarAction = nullptr;
    QAction* InspectorAction = nullptr;
    QAction* ShowCommandWindowAction = nullptr;
    QAction* RunWhenOpenedAction = nullptr;
    QAction* SetDefaultSoftwareAction = nullptr;
    QAction* RefreshScreenAction = nullptr;
    QAction* CanUndoLastCommandAction = nullptr;

    QMenu* HelpMenu = nullptr;
    QAction* AboutAction = nullptr;
    QAction* HelpContentsAction = nullptr;
    QAction* CommandHelpAction = nullptr;
    QAction* SamplesHelpAction = nullptr;

    // F8 while idle: the next error of the list.
    QAction* NextErrorAction = nullptr;

private:
    QAction* Add(QMenu* menu, int id, const char* caption, bool checkable = false);
    QMenu* AddMenu(QMenuBar* bar, QMenu* parent, int id, const char* caption);
    void BuildFileMenu(QMenuBar* bar);
    void BuildProcedureMenu(QMenuBar* bar);
    void BuildRunSpeedMenu(QMenuBar* bar);
    void BuildOptionsMenu(QMenuBar* bar);
    void BuildModesMenu(QMenuBar* bar);
    void BuildHelpMenu(QMenuBar* bar);
    QActionGroup* Group(std::initializer_list<QAction*> actions);

    QObject* owner_;
    QList<std::pair<QObject*, int>> captions_;
    QList<QAction*> idleActions_;
};

} // namespace mivarelo
