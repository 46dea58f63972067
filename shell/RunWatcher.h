#pragma once
// Lets the user watch a run: the run speed (remembered between sessions),
// Pause/Continue and Step, the toolbar with the run buttons, the running
// line marked in the command window's editor (and the running command
// inside it, for a line of a bracketed list) with the editor following
// procedure calls and returns, and the variable inspector.
//
// At full speed and not paused nothing of this shows: the command window
// hides during a run as it always did.
#include "shell/RunDriver.h"

#include <QElapsedTimer>
#include <QObject>

class QAction;
class QToolBar;

namespace mivarelo {

class MainWindow;
class TurtleWalk;
class VariableInspector;

class RunWatcher : public QObject {
    Q_OBJECT
public:
    RunWatcher(MainWindow& window, RunDriver& driver);
    // The drawing window forgets the walk, which goes with the watcher.
    ~RunWatcher() override;

    // True while the command window stays visible and read-only during a
    // run: a speed below full, or a paused run.
    bool Watching() const;
    void SetSpeed(RunSpeed speed);
    VariableInspector& Inspector() const { return *inspector_; }
    TurtleWalk& Walk() const { return *walk_; }
    QToolBar* ToolBar() const { return toolBar_; }
    // The body line now marked in the editor; 0 for none.
    int MarkedLine() const { return markedLine_; }
    void ApplyLanguage();

signals:
    // Watching changed: the window shows or hides the command window.
    void WatchingChanged();

private:
    void BuildToolBar();
    void ConnectActions();
    QAction* SpeedAction(RunSpeed speed) const;
    void StepExecute();
    void PauseExecute();
    void MarkRunningLine();
    void ClearMarks();
    void RunEnded();
    void SliceDone();
    void RefreshInspector();
    void BeginWalk();
    void StartWalk();

    MainWindow& window_;
    RunDriver& driver_;
    VariableInspector* inspector_ = nullptr;
    TurtleWalk* walk_ = nullptr;
    bool walking_ = false;
    QToolBar* toolBar_ = nullptr;
    QElapsedTimer inspectorClock_;
    // The procedure the editor showed when the run began; it is shown again
    // when the run ends, so that Run starts the same procedure again.
    int shownBefore_ = -1;
    int markedLine_ = 0;
};

} // namespace mivarelo
