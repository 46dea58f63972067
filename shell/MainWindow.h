#pragma once
// The main window and hub of the program: it owns the engine, the drawing
// window in a scroll area and the current command window in a dock; it
// builds the window, switches between the modes and keeps the run state.
// The program document, procedure editing, the error list, the exports, the
// Options menu, the docks, the view and the starting of runs are classes of
// their own that it owns and wires to the menus and to each other.
#include "core/Notifier.h"
#include "engine/LogoEngine.h"
#include "modes/CommandHost.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <string>

class QDockWidget;
class QScrollArea;
class QStatusBar;

namespace mivarelo {

class CommandDocks;
class CommandWindow;
class ClassGallery;
class DocumentExports;
class DrawingView;
class DrawingWindow;
class ErrorNavigator;
class ExamplesMenu;
class HelpWindow;
class MainActions;
class OptionsMenu;
class ProcedureEditor;
class ProgramDocument;
class RunControl;
class RunDriver;
class RunWatcher;
class StatusPanels;
class TextCommandWindow;

class MainWindow : public QMainWindow, public Notifier, public CommandHost {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    LogoEngine& Engine() override { return engine_; }
    DrawingWindow* Drawing() const { return drawingWindow_; }
    CommandWindow* CurrentCommandWindow() const { return commandWindow_; }
    // The command window of command mode; null in graphical mode.
    TextCommandWindow* TextWindow() const;
    MainActions& Actions() { return *actions_; }
    RunDriver& Driver() { return *driver_; }
    RunWatcher& Watcher() { return *watcher_; }
    ProgramDocument& Document() { return *document_; }
    ProcedureEditor& Procedures() { return *procedures_; }
    ErrorNavigator& Errors() { return *errors_; }
    DocumentExports& Exports() { return *exports_; }
    bool Running() const;

    void SetProgramChanged(bool changed) override;
    void ShowProcedure(int index) override;
    void AddProcedureWithBody(const std::string& name, const std::string& body) override;
    bool ConfirmDiscard() override;
    QPoint PictureToGlobal(QPoint picturePoint) const override;
    std::string LastRunError() const override;

    // The Run action: the editor stored, the selected procedure run.
    void Run() override;
    bool SetMainProcedureAndRun(const std::string& text) override;
    // Runs `text` at once without adding it to the program (the console and
    // the reference's examples); false, with a beep, while a run is going on.
    bool RunText(const std::string& text);
    void StopRun();

    OptionsMenu& Options() { return *options_; }
    // The window's texts in the interface language just loaded.
    void ApplyLanguage(bool english);
    // The command window and the procedure list show the program as it is.
    void RefreshProcedures();
    // Closes the current command window (asking first) and opens command mode.
    bool SwitchToCommandMode();
    // The same for graphical mode.
    bool SwitchToGraphicalMode();
    // A file handed over by a later start of the program; during a run it
    // waits for the run's end.
    void ReceiveFile(const QString& path);
    void FollowTurtle();
    DrawingView& View() { return *view_; }
    // The dock that holds the current command window.
    QDockWidget* CommandDock() const;
    // Shows the window as it was left: its place, size and docks, or
    // maximized at the very first start.
    void ShowRemembered();
    void RefreshStatusBar();

    void ShowMessage(const std::string& text, const std::string& caption) override;
    void Beep() override;

signals:
    // A run has ended and the window is at rest again.
    void RunEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildWindow();
    void BuildParts();
    void ConnectActions();
    void ConnectWindowActions();
    void ConnectDocument();
    void ConnectTextWindow(TextCommandWindow* window);
    void ConnectClassGallery();
    void LoadInterface();
    void SetRunning(bool running);
    void UpdateActions();
    void Relayout();
    bool CloseCommandWindow();
    void FocusAfterRun();
    void RunningChanged(bool running);
    void RunFinished(bool textRun);
    void RunProcedure(int index);
    void FlushRefresh();
    void Reset();
    void ShowHelp(bool commands);
    HelpWindow& Help();

    LogoEngine engine_;
    std::unique_ptr<MainActions> actions_;
    ProcedureEditor* procedures_ = nullptr;
    ErrorNavigator* errors_ = nullptr;
    ProgramDocument* document_ = nullptr;
    DocumentExports* exports_ = nullptr;
    ClassGallery* gallery_ = nullptr;
    OptionsMenu* options_ = nullptr;
    RunControl* run_ = nullptr;
    ExamplesMenu* examples_ = nullptr;
    DrawingView* view_ = nullptr;
    RunDriver* driver_ = nullptr;
    RunWatcher* watcher_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    CommandDocks* docks_ = nullptr;
    DrawingWindow* drawingWindow_ = nullptr;
    CommandWindow* commandWindow_ = nullptr;
    HelpWindow* help_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::unique_ptr<StatusPanels> panels_;
    QTimer focusTimer_;
    QElapsedTimer statusClock_;
    Notifier* previousNotifier_ = nullptr;
    // A file handed over during a run, opened when the run ends.
    QString pendingFile_;
};

} // namespace mivarelo
