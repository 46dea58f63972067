#include "shell/FileAssociation.h"

#include "core/LanguageIds.h"
#include "widgets/QtText.h"

#include <PackagingFiles.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <algorithm>
#include <utility>

namespace mivarelo {

namespace {

const QString kDefaultSection = QStringLiteral("[Default Applications]");

// The key of a "key=value" line, or the empty text for any other line.
QString KeyOf(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : line.left(equals).trimmed();
}

bool IsSectionHeader(const QString& line) {
    return line.trimmed().startsWith(QLatin1Char('['));
}

// The installed desktop entry with its Exec line replaced.
QByteArray DesktopEntryFor(const QString& programPath) {
    QStringList lines = QString::fromUtf8(packaging::kDesktopEntry).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.startsWith(QLatin1String("Exec=")))
            line = "Exec=" + FileAssociation::ExecLine(programPath);
    return lines.join(QLatin1Char('\n')).toUtf8();
}

// Writes `content` to `path`, creating its folder; on failure `failure`
// names the folder or file that could not be written.
bool WriteFile(const QString& path, const QByteArray& content, QString& failure) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        failure = LanguageText(FolderNotCreatedId).arg(folder);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        failure = LanguageText(CouldNotWriteId).arg(path, file.errorString());
        return false;
    }
    return true;
}

// Runs a cache tool on `folder` when it is installed; false only when it
// is installed and fails.
bool RunToolIfPresent(const QString& tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return true;
    QProcess process;
    process.start(program, {folder});
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

QString FileAssociation::DesktopFileName() {
    return QString::fromLatin1(packaging::kApplicationId) + ".desktop";
}

QStringList FileAssociation::MimeTypes() {
    QStringList types;
    QXmlStreamReader xml(packaging::kMimeDefinition);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("mime-type"))
            types << xml.attributes().value(QLatin1String("type")).toString();
    return types;
}

QString FileAssociation::ExecLine(const QString& programPath) {
    // Characters that make a desktop entry argument need quotes; inside the
    // quotes '"', '`', '$' and '\' take a backslash.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = programPath;
    argument.replace(QLatin1Char('%'), QLatin1String("%%"));
    const bool quoted = std::any_of(argument.cbegin(), argument.cend(),
                                    [](QChar c) { return reserved.contains(c); });
    if (quoted) {
        QString escaped;
        for (QChar c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') escaped += QLatin1Char('\\');
            escaped += c;
        }
        argument = '"' + escaped + '"';
    }
    // A desktop entry value takes every backslash doubled.
    argument.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    return argument + QLatin1String(" %f");
}

QString FileAssociation::WithDefaults(const QString& current, const QStringList& types,
                                      const QString& desktopFile) {
    QStringList lines = current.isEmpty() ? QStringList() : current.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();

    QStringList out;
    QStringList pending = types;
    qsizetype insertAt = -1;
    bool inDefaults = false;
    for (const QString& line : lines) {
        if (IsSectionHeader(line)) {
            inDefaults = line.trimmed() == kDefaultSection;
            out << line;
            if (inDefaults) insertAt = out.size();
            continue;
        }
        const QString key = KeyOf(line);
        if (inDefaults && types.contains(key)) {
            if (pending.removeOne(key)) {
                out << key + '=' + desktopFile;
                insertAt = out.size();
            }
            continue;
        }
        out << line;
        if (inDefaults && !line.trimmed().isEmpty()) insertAt = out.size();
    }
    if (insertAt < 0) {
        if (!out.isEmpty() && !out.last().trimmed().isEmpty()) out << QString();
        out << kDefaultSection;
        insertAt = out.size();
    }
    for (const QString& type : pending)
        out.insert(insertAt++, type + '=' + desktopFile);
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

FileAssociation::Result FileAssociation::Register(const QString& programPath) {
    if (programPath.isEmpty()) return {false, LanguageText(NoProgramGivenId)};
    if (!QFileInfo(programPath).isFile())
        return {false, LanguageText(ProgramMissingId).arg(programPath)};

    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString applications = data + "/applications";
    const QString mime = data + "/mime";
    const QString desktopPath = applications + '/' + DesktopFileName();
    const QString mimePath = mime + "/packages/mivarelo.xml";
    const QString iconPath = data + "/icons/hicolor/scalable/apps/" +
                             QString::fromLatin1(packaging::kApplicationId) + ".svg";
    const QString mimeAppsPath = config + "/mimeapps.list";

    QString failure;
    if (!WriteFile(desktopPath, DesktopEntryFor(programPath), failure) ||
        !WriteFile(mimePath, packaging::kMimeDefinition, failure) ||
        !WriteFile(iconPath, packaging::kIconSvg, failure))
        return {false, failure};

    QFile existing(mimeAppsPath);
    QString current;
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return {false, LanguageText(CouldNotReadId).arg(mimeAppsPath, existing.errorString())};
        current = QString::fromUtf8(existing.readAll());
    }
    if (!WriteFile(mimeAppsPath, WithDefaults(current, MimeTypes(), DesktopFileName()).toUtf8(),
                   failure))
        return {false, failure};

    QString message = LanguageText(DefaultProgramSetId)
                          .arg(programPath, desktopPath, mimePath, iconPath, mimeAppsPath);
    for (const auto& [tool, folder] :
         {std::pair{QStringLiteral("update-mime-database"), mime},
          std::pair{QStringLiteral("update-desktop-database"), applications}}) {
        if (!RunToolIfPresent(tool, folder))
            message += '\n' + LanguageText(CacheToolFailedId).arg(tool, folder);
    }
    return {true, message};
}

} // namespace mivarelo
