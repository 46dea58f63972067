#pragma once
// The main window and hub of the program: it owns the engine, the drawing
// window in a scroll area, the current command window in a dock and the
// run driver; it keeps the drawing in view;
// it carries the menus, the status bar and the error list navigation, edits
// procedures through the store, and switches dialect and interface language.
#include "core/ErrorList.h"
#include "core/Notifier.h"
#include "engine/LogoEngine.h"
#include "engine/RunListener.h"
#include "modes/CommandHost.h"
#include "shell/DrawingZoom.h"
#include "shell/ExamplesMenu.h"
#include "shell/PicturePrinter.h"
#include "shell/RecentFiles.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QThreadPool>
#include <QTimer>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QDockWidget;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QScrollArea;
class QStatusBar;

namespace mivarelo {

class ConversionReport;
struct ProgramDamage;
class MainActions;
class RecoveryStore;
class RunDriver;
class RunWatcher;
class HelpWindow;
class CommandWindow;
class DrawingWindow;

// The controls of the command window that the main window works through;
// all null in a mode without them, and every user checks.
struct CurrentControls {
    QListWidget* ErrorList = nullptr;
    QPlainTextEdit* Editor = nullptr;
    QComboBox* ProcedureList = nullptr;
    QLabel* RunningLabel = nullptr;
    QLabel* ErrorNumberLabel = nullptr;
};

class MainWindow : public QMainWindow,
                      public RunListener,
                      public ErrorList,
                      public Notifier,
                      public CommandHost {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    LogoEngine& Engine() override { return engine_; }
    DrawingWindow* DrawingWindow() const { return drawingWindow_; }
    CommandWindow* CommandWindow() const { return commandWindow_; }
    const CurrentControls& Controls() const { return controls_; }
    MainActions& Actions() { return *actions_; }
    RunDriver& Driver() { return *driver_; }
    RunWatcher& Watcher() { return *watcher_; }
    bool Running() const;

    bool ProgramChanged() const { return programChanged_; }
    void SetProgramChanged(bool changed) override { programChanged_ = changed; }

    // Procedure editing through the store.
    void ShowProcedure(int index) override;
    void StoreEditorIntoProcedure();
    void RefreshProcedureList();
    void AddProcedure(const std::string& name);
    void AddProcedureWithBody(const std::string& name, const std::string& body) override;

    // Running.
    void RunProcedure(int index);
    bool SetMainProcedureAndRun(const std::string& text) override;
    // Runs `text` at once without adding it to the program (the console and
    // the reference's examples); false, with a beep, while a run is going on.
    bool RunText(const std::string& text);
    void StopRun();

    // The error list: entry i selected, its offending text marked in the
    // editor in the procedure it came from; beeps for an index outside.
    void JumpToError(int i);
    // F8 at rest: the next error, after the last the first again.
    void ShowNextError();
    int ErrorCursor() const { return errorCursor_; }

    void NewProgram();
    void ClearProgram();
    void SetDialect(bool turkish, bool isLong);
    void SetInterfaceLanguage(bool english);
    void SetTurtleLook(int look);
    void SetTurnCommandType(int type);
    // Closes the current command window (asking first) and opens command mode.
    bool SwitchToCommandMode();
    // The same for graphical mode.
    bool SwitchToGraphicalMode();
    // The Run action: the editor stored, the selected procedure run.
    void Run() override;
    // The kinds of file, numbered as the filters of the file dialogs.
    enum FileKind { ProgramKind = 1, LogoKind = 2, BitmapKind = 3, PngKind = 4 };
    // Opens a program of that kind, after asking to save a changed one. A
    // file that cannot be read leaves everything as it was and says why.
    // With Run When Opened the program runs at once.
    bool OpenFile(const QString& path, int kind);
    // Opens a program whose kind is judged from its path: plain Logo when it
    // holds ".lgo" in any letter case.
    bool OpenPath(const QString& path);
    // Asks for a file and saves the program (or the picture) into it. True
    // only when the program itself was saved.
    bool SaveAs();
    // The file named by the command line: the arguments joined by blanks
    // when that names a file, else the first argument alone.
    void OpenCommandLineFile(const QStringList& arguments);
    // That file, or the empty text when the arguments name none.
    static QString CommandLineFile(const QStringList& arguments);
    // A file handed over by a later start of the program.
    void ReceiveFile(const QString& path);
    const RecentFiles& Recent() const { return recent_; }
    PicturePrinter& Printer() { return printer_; }
    void PrintPicture();
    // The question before the program may be discarded: the command window,
    // then whether to save a changed program. False to keep it.
    bool ConfirmDiscard() override;
    QPoint PictureToGlobal(QPoint picturePoint) const override;
    std::string LastRunError() const override { return lastRunError_; }
    void FollowTurtle();
    // The drawn part of the picture and the turtle, brought into view when
    // they are not all in it (Keep Drawing in View); true when the view moved.
    bool KeepDrawingInView();
    // The turtle in the middle of the view.
    void CentreOnTurtle();
    // The part of the picture the view shows, in picture pixels.
    QRect VisiblePicture() const;
    double Zoom() const;
    // The dock that holds the current command window.
    QDockWidget* CommandDock() const;
    // Shows the window as it was left: its place, size and docks, or
    // maximized at the very first start.
    void ShowRemembered();
    // Keeps recovery copies in `store` from now on: offers the copies that
    // earlier processes left (Restore, Discard or Later), then writes one
    // every 30 seconds and before each run while the program has unsaved
    // changes.
    void StartRecovery(std::unique_ptr<RecoveryStore> store);
    // Writes the recovery copy now when the program has unsaved changes,
    // after any copy still being written.
    void WriteRecoveryCopy();
    // The same on the recovery writer's thread: the window hands over a
    // copy of the program and goes on at once.
    void QueueRecoveryCopy();
    // The last file opened ended early: what could be read was loaded.
    bool LastOpenDamaged() const { return lastOpenDamaged_; }
    // The file the program was last opened from or saved to; empty for a
    // new program.
    const QString& ProgramPath() const { return programPath_; }
    void RefreshStatusBar();
    void SetMousePanel(QPoint position);

    bool ExecuteLine(LineDispatcher& dispatcher, std::string_view line) override;
    void ThreadFinished(bool runEnded) override;
    void ThreadRunningChanged(bool running) override;
    void AddErrorLine(const std::string& line) override;
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
    void ConnectActions();
    void ConnectZoom();
    void ConnectKeepInView();
    QDockWidget* NewDock(const QString& name, Qt::DockWidgetArea area);
    void PlaceCommandWindow(CommandWindow* form, QDockWidget* dock);
    void FollowTurtleDuringRun();
    void SaveLayout() const;
    void OfferRecoveryCopies();
    void DropRecoveryCopy();
    void SetProgramPath(const QString& path);
    void ShowDamage(const QString& path, const ProgramDamage& damage);
    void ConnectPreciseTurtle();
    void ShowConversionReport(const ConversionReport& report);
    void ConnectProcedureActions();
    void ConnectOptionActions();
    void FormCreate();
    void SetRunning(bool running);
    void UpdateActions();
    void Relayout();
    void BindCurrentControls();
    bool CloseCommandWindow();
    void FillEditor(int index);
    void FillNextSlice();
    void SelectErrorInEditor(const QString& text, int line, int procedure);
    void FocusTimerTimer();
    void FlushRefresh();
    void AddProcedureAsk();
    void RenameProcedureAsk();
    void EnterArgumentsAsk();
    void DeleteProcedureAsk();
    void ResetExecute();
    void ScreenColourExecute();
    void ShowVariablesExecute();
    void ShowHelp(bool commands);
    HelpWindow& HelpForm();
    // F1 on a word of the editor: its reference entry, else the contents.
    void ShowWordHelp(const QString& word);
    // F1 on an error-list entry: the entry of the command that failed, or
    // the repair rules when the word begins with no command.
    void ShowErrorHelp(int row);
    void ExportProgramHtml();
    void PrintProgram();
    void InsertColour();
    QStringList ErrorEntries() const;
    void OpenSamples();
    bool WriteProgramFile(const QString& path, int kind);
    // The picture, or its `area` alone, as a BMP or PNG file.
    bool WritePicture(const QString& path, int kind, const QRect& area = QRect());
    QRect DrawnPart() const;
    void ShowFileError(int whatId, const QString& path, int reasonId);
    void ShowRecentFiles();
    void SizePanels();
    QString LastFolder() const;
    void RememberFolder(const QString& path);
    void OpenAsk();
    void PrintPreview();
    void ExportPdf();
    void ExportPicture(bool svg);
    QString Text(int id) const;

    LogoEngine engine_;
    std::unique_ptr<MainActions> actions_;
    RecentFiles recent_;
    ExamplesMenu* examples_ = nullptr;
    DrawingZoom* zoom_ = nullptr;
    PicturePrinter printer_;
    RunDriver* driver_ = nullptr;
    RunWatcher* watcher_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QDockWidget* commandDock_ = nullptr;
    QDockWidget* graphicalDock_ = nullptr;
    DrawingWindow* drawingWindow_ = nullptr;
    CommandWindow* commandWindow_ = nullptr;
    HelpWindow* helpForm_ = nullptr;
    QStatusBar* UstStatusBar = nullptr;
    std::array<QLabel*, 8> panels_{};
    CurrentControls controls_;
    QTimer FocusTimer;
    // The part of a long procedure still to go into the editor, and how
    // much of it has gone.
    QTimer fillTimer_;
    QString fillRest_;
    qsizetype fillDone_ = 0;
    QElapsedTimer fillClock_;
    QElapsedTimer statusClock_;
    // The procedure each error-list entry belongs to, in list order.
    std::vector<int> errorProcedures_;
    RefreshRequest pendingRefresh_ = RefreshRequest::None;
    Notifier* previousNotifier_ = nullptr;
    ErrorList* previousErrorList_ = nullptr;
    // A file handed over during a run, opened when the run ends.
    QString pendingFile_;
    QString programPath_;
    bool lastOpenDamaged_ = false;
    std::shared_ptr<RecoveryStore> recovery_;
    // One thread, so that copies are written and removed in order.
    QThreadPool recoveryWriter_;
    QTimer recoveryTimer_;
    // The first error line of the run going on or last ended.
    std::string lastRunError_;
    int errorCursor_ = 0;
    // The user scrolled or zoomed during the run: the view is left alone
    // until the run ends.
    bool userMovedView_ = false;
    // A run has started and not yet ended.
    bool runGoing_ = false;
    // The view has been placed once; the start's centring is then not due.
    bool viewPlaced_ = false;
    bool programChanged_ = false;
    // The run going on is a line of RunText.
    bool textRun_ = false;
};

} // namespace mivarelo
