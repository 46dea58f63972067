#pragma once
// Recovery copies of unsaved programs, so that a crash, a kill or a logout
// loses no work. Each running copy of the program writes its own pair of
// files into the recovery folder (under the application data folder): the
// program in the native format and a small JSON record of the original
// path, the time and the process id. A copy whose process is gone is
// offered at the next start.
#include <QDateTime>
#include <QList>
#include <QString>

namespace mivarelo {

class ProcedureStore;

class RecoveryStore {
public:
    struct Entry {
        QString programPath;
        QString recordPath;
        QString originalPath;
        QDateTime time;
        qint64 pid = 0;
    };

    // Copies of this process go to `folder`; the default is recovery/ under
    // the application data folder.
    explicit RecoveryStore(QString folder = DefaultFolder());

    static QString DefaultFolder();

    // Writes this process's copy of `program`, each file through a
    // temporary file, so a failed write leaves the last copy whole.
    bool Write(const ProcedureStore& program, const QString& originalPath) const;
    // Removes this process's copy.
    void Remove() const;
    // The copies whose process no longer runs, newest first.
    QList<Entry> Pending() const;
    // Loads a pending copy's program into `program`.
    static bool Load(const Entry& entry, ProcedureStore& program);
    static void Discard(const Entry& entry);

private:
    QString ProgramPathOf(qint64 pid) const;
    QString RecordPathOf(qint64 pid) const;

    QString folder_;
};

} // namespace mivarelo
