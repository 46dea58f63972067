#pragma once
// The program as a document: opening it from a file (".elg" or plain Logo),
// saving it, the question before a changed program is discarded, the
// changed flag, its file's path, the recent files, the folder the file
// dialogs start in, and the recovery copies of unsaved work. It reaches the
// window only through its signals.
#include "shell/RecentFiles.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <memory>

namespace mivarelo {

class ErrorNavigator;
class ExamplesMenu;
class LogoEngine;
class MainActions;
class ProcedureEditor;
class RecoveryStore;
struct ProgramDamage;

class ProgramDocument : public QObject {
    Q_OBJECT
public:
    // The kinds of file, numbered as the filters of the file dialogs.
    enum FileKind { ProgramKind = 1, LogoKind = 2, BitmapKind = 3, PngKind = 4 };

    // `mayLeave` asks the command window whether it may be left.
    ProgramDocument(LogoEngine& engine, ProcedureEditor& procedures, ErrorNavigator& errors,
                    std::function<bool()> mayLeave, QObject* parent);
    ~ProgramDocument() override;

    void ConnectActions(const MainActions& actions, ExamplesMenu& examples);

    // A new program: only the main procedure, the turtle at home.
    void NewProgram();
    // Reset: the main procedure emptied, every other procedure removed, the
    // turtle and the picture back to the start.
    void ClearProgram();

    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }
    // The file the program was last opened from or saved to; empty for a
    // new program.
    const QString& Path() const { return path_; }
    void SetPath(const QString& path);
    // The last file opened ended early: what could be read was loaded.
    bool LastOpenDamaged() const { return lastOpenDamaged_; }
    // A file is being read; opening another one must wait.
    bool Loading() const { return loading_; }
    const RecentFiles& Recent() const { return recent_; }

    // Opens a program of that kind, after asking to save a changed one. A
    // file that cannot be read leaves everything as it was and says why.
    bool OpenFile(const QString& path, int kind);
    // Opens a program whose kind is judged from its path: plain Logo when it
    // holds ".lgo" in any letter case.
    bool OpenPath(const QString& path);
    // Asks for a file and saves the program (or the picture) into it. True
    // only when the program itself was saved.
    bool SaveAs();
    // The question before the program may be discarded: the command window,
    // then whether to save a changed program. False to keep it.
    bool ConfirmDiscard();
    // The file named by the command line: the arguments joined by blanks
    // when that names a file, else the first argument alone; empty when
    // they name none.
    static QString CommandLineFile(const QStringList& arguments);
    void OpenCommandLineFile(const QStringList& arguments);

    // `path` with `extension` (".elg") added when it has none: a file
    // dialog's filter only adds one to a name without one.
    static QString WithExtension(const QString& path, const char* extension);
    // The picture, or its `area` alone, as a BMP or PNG file.
    bool WritePicture(const QString& path, int kind, const QRect& area = QRect());
    void ShowFileError(int whatId, const QString& path, int reasonId);
    QString LastFolder() const;
    void RememberFolder(const QString& path);

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
    void DropRecoveryCopy();

signals:
    // A new program's picture is blank.
    void PictureReset();
    // Reset: the picture is blank and the view goes back to 100 % at home.
    void Cleared();
    // A program from a file or a recovery copy has replaced the program.
    void Replaced();
    // A program was opened from a file (after Replaced).
    void Opened();
    void PathChanged(const QString& path);
    // Plain Logo is written in English long commands: the program must be
    // rewritten into them first.
    void EnglishLongNeeded();

private:
    bool ReadOffTheWindow(const std::function<bool()>& read);
    void OpenAsk();
    void OpenSamples(const QString& folder);
    bool WriteProgramFile(const QString& path, int kind);
    void ShowDamage(const QString& path, const ProgramDamage& damage);
    void ShowRecentFiles(const MainActions& actions);
    void OfferRecoveryCopies();

    LogoEngine& engine_;
    ProcedureEditor& procedures_;
    ErrorNavigator& errors_;
    std::function<bool()> mayLeave_;
    RecentFiles recent_;
    QString path_;
    bool changed_ = false;
    bool lastOpenDamaged_ = false;
    bool loading_ = false;
    std::shared_ptr<RecoveryStore> recovery_;
    // One thread, so that copies are written and removed in order.
    QThreadPool recoveryWriter_;
    QTimer recoveryTimer_;
};

} // namespace mivarelo
