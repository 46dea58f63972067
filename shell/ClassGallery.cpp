#include "shell/ClassGallery.h"

#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "widgets/Dialogs.h"
#include "widgets/QtText.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace mivarelo {

ClassGallery::ClassGallery(QObject* parent) : QObject(parent) {}

ClassGallery::~ClassGallery() {
    if (process_) {
        process_->kill();
        process_->waitForFinished(1000);
    }
}

void ClassGallery::ChooseAndRun(const QString& startFolder) {
    const QString folder = CurrentDialogs().ChooseFolder(
        LanguageText(OpenClassFolderId).remove(QStringLiteral("...")), startFolder);
    if (!folder.isEmpty()) Run(folder);
}

bool ClassGallery::Busy() const {
    return process_ != nullptr;
}

QString ClassGallery::OutputFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isWritable()) return QDir(folder).filePath(QStringLiteral("gallery"));
    const QByteArray key =
        QCryptographicHash::hash(info.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("galleries/") + info.fileName() + QLatin1Char('-') +
                  QString::fromLatin1(key.left(8)));
}

bool ClassGallery::Run(const QString& folder) {
    if (process_) return false;
    const QString out = OutputFolder(folder);
    page_ = QDir(out).filePath(QStringLiteral("index.html"));
    QFile::remove(page_);
    QStringList args = {QStringLiteral("--gallery"), out, folder};
    if (Globals().EnglishInterface) args << QStringLiteral("--english");
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::SeparateChannels);
    process_->setStandardOutputFile(QProcess::nullDevice());
    connect(process_, &QProcess::finished, this, &ClassGallery::Done);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) Done();
    });
    process_->start(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("mivarelo-run")),
        args);
    emit Started();
    return true;
}

// A file that could not be read still leaves the page of the others.
void ClassGallery::Done() {
    QProcess* process = process_;
    process_ = nullptr;
    process->deleteLater();
    if (QFileInfo::exists(page_)) {
        CurrentDialogs().OpenPage(page_);
        emit Finished(true, QString());
        return;
    }
    const QStringList said = QString::fromLocal8Bit(process->readAllStandardError())
                                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString reason = said.isEmpty() ? process->errorString() : said.last();
    emit Finished(false, LanguageText(ClassFolderFailedId).arg(reason));
}

} // namespace mivarelo
