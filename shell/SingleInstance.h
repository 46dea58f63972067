#pragma once
// One copy of the program per user. The first copy holds a lock file in the
// user's runtime folder (a crash leaves a stale lock, which the next start
// takes over) and listens on a local socket beside it; a later copy hands
// its file to the first one through that socket and ends.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace mivarelo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `folder`: where the lock and the socket live; by default the user's
    // runtime folder.
    explicit SingleInstance(const QString& folder = QString());

    // True when this is the only copy; it then takes file hand-overs.
    bool TryLock();
    // A later copy sends `path` to the running one; true when it arrived.
    bool HandOver(const QString& path) const;

signals:
    void FileReceived(const QString& path);

private:
    void TakeConnection();

    QString socketName_;
    QLockFile lock_;
    QLocalServer server_;
};

} // namespace mivarelo
