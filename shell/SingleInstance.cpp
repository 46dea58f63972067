#include "shell/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace mivarelo {

namespace {

constexpr int HandOverTimeoutMs = 3000;

QString DefaultFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder;
}

} // namespace

SingleInstance::SingleInstance(const QString& folder)
    : socketName_(QDir(folder.isEmpty() ? DefaultFolder() : folder).filePath("mivarelo.socket")),
      lock_(QDir(folder.isEmpty() ? DefaultFolder() : folder).filePath("mivarelo.lock")) {
    lock_.setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::TakeConnection);
}

// A socket left by a copy that crashed is removed before listening.
bool SingleInstance::TryLock() {
    if (!lock_.tryLock(0)) return false;
    QLocalServer::removeServer(socketName_);
    server_.listen(socketName_);
    return true;
}

bool SingleInstance::HandOver(const QString& path) const {
    QLocalSocket socket;
    socket.connectToServer(socketName_);
    if (!socket.waitForConnected(HandOverTimeoutMs)) return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(HandOverTimeoutMs)) return false;
    socket.disconnectFromServer();
    return true;
}

// One path per connection, ended by a line feed or by the closed connection.
void SingleInstance::TakeConnection() {
    QLocalSocket* socket = server_.nextPendingConnection();
    if (!socket) return;
    auto received = std::make_shared<QByteArray>();
    auto deliver = [this, socket, received] {
        received->append(socket->readAll());
        const qsizetype end = received->indexOf('\n');
        if (end < 0 && socket->state() == QLocalSocket::ConnectedState) return;
        const QString path = QString::fromUtf8(received->left(end < 0 ? received->size() : end));
        received->clear();
        socket->disconnect(this);
        socket->deleteLater();
        if (!path.isEmpty()) emit FileReceived(path);
    };
    connect(socket, &QLocalSocket::readyRead, this, deliver);
    connect(socket, &QLocalSocket::disconnected, this, deliver);
}

} // namespace mivarelo
