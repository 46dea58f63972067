#pragma once
// Runs the built mivarelo-run as a child process for the end-to-end tests.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace runner_test {

struct RunResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline RunResult
RunRunner(const QStringList& args, const QByteArray& input = {},
          const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MIVARELO_RUN_PATH), args);
    RunResult result;
    if (!process.waitForStarted(30000)) return result;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// Every sample program of the examples folder in one language ("tr" or
// "en"), in name order.
inline QStringList ExamplePrograms(const QString& language) {
    const QDir dir(QStringLiteral(MIVARELO_SOURCE_DIR "/examples/") + language);
    QStringList paths;
    for (const QString& name : dir.entryList({"*.elg"}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

// The state JSON printed by --state; it must be the whole of standard output.
inline QJsonObject StateOf(const RunResult& result) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(result.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
    return doc.object();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace runner_test
