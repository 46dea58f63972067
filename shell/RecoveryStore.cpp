#include "shell/RecoveryStore.h"

#include "core/ProcedureStore.h"
#include "core/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace mivarelo {

namespace {

const QString ProgramPrefix = QStringLiteral("program-");
const QString RecordSuffix = QStringLiteral(".json");

// A process is gone when signal 0 cannot reach it for want of a process;
// one that belongs to another user still runs.
bool ProcessRuns(qint64 pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

RecoveryStore::RecoveryStore(QString folder) : folder_(std::move(folder)) {}

QString RecoveryStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString RecoveryStore::ProgramPathOf(qint64 pid) const {
    return folder_ + u'/' + ProgramPrefix + QString::number(pid) + QStringLiteral(".elg");
}

QString RecoveryStore::RecordPathOf(qint64 pid) const {
    return folder_ + u'/' + ProgramPrefix + QString::number(pid) + RecordSuffix;
}

// The record is written last: a record always names a whole program.
bool RecoveryStore::Write(const ProcedureStore& program, const QString& originalPath) const {
    if (!QDir().mkpath(folder_)) return false;
    const qint64 pid = QCoreApplication::applicationPid();
    if (!SaveProgram(program, QFile::encodeName(ProgramPathOf(pid)).toStdString())) return false;
    const QJsonObject record{{"path", originalPath},
                             {"time", QDateTime::currentDateTime().toString(Qt::ISODate)},
                             {"pid", pid}};
    QSaveFile file(RecordPathOf(pid));
    return file.open(QIODevice::WriteOnly) &&
           file.write(QJsonDocument(record).toJson(QJsonDocument::Compact)) >= 0 && file.commit();
}

void RecoveryStore::Remove() const {
    const qint64 pid = QCoreApplication::applicationPid();
    QFile::remove(RecordPathOf(pid));
    QFile::remove(ProgramPathOf(pid));
}

QList<RecoveryStore::Entry> RecoveryStore::Pending() const {
    QList<Entry> entries;
    const QDir dir(folder_);
    for (const QString& name :
         dir.entryList({ProgramPrefix + u'*' + RecordSuffix}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QJsonObject record = QJsonDocument::fromJson(file.readAll()).object();
        Entry entry;
        entry.pid = record.value("pid").toInteger();
        entry.originalPath = record.value("path").toString();
        entry.time = QDateTime::fromString(record.value("time").toString(), Qt::ISODate);
        entry.recordPath = dir.filePath(name);
        entry.programPath = ProgramPathOf(entry.pid);
        if (entry.pid == QCoreApplication::applicationPid() || ProcessRuns(entry.pid) ||
            !QFile::exists(entry.programPath))
            continue;
        entries.append(entry);
    }
    std::ranges::sort(entries, [](const Entry& a, const Entry& b) { return a.time > b.time; });
    return entries;
}

bool RecoveryStore::Load(const Entry& entry, ProcedureStore& program) {
    return LoadProgram(program, QFile::encodeName(entry.programPath).toStdString());
}

void RecoveryStore::Discard(const Entry& entry) {
    QFile::remove(entry.recordPath);
    QFile::remove(entry.programPath);
}

} // namespace mivarelo
