#include "cli/GalleryRunner.h"

#include "cli/GalleryPage.h"
#include "core/Encoding.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace mivarelo {

namespace {

// A lesson's program ends well within these; an endless one is stopped.
constexpr std::uint64_t DefaultLineBudget = 1000000;
constexpr double DefaultTimeLimit = 10.0;
// The runner stops itself at its time limit and still writes its picture;
// a process that has not ended this long after is killed.
constexpr int KillGraceMs = 10000;
// What is kept of a program's standard error: enough for its messages,
// bounded however much it writes.
constexpr qsizetype KeptErrorBytes = 64 * 1024;

bool IsProgramFile(const QFileInfo& file) {
    const QString suffix = file.suffix().toLower();
    return file.isFile() && (suffix == QLatin1String("elg") || suffix == QLatin1String("lgo"));
}

void AddFolder(const QDir& folder, int depth, QFileInfoList& found) {
    const QFileInfoList items =
        folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& item : items) {
        if (item.isDir() && depth > 0)
            AddFolder(QDir(item.filePath()), depth - 1, found);
        else if (IsProgramFile(item))
            found << item;
    }
}

// A name for the outputs of `file` that no other program of the gallery has.
QString UniqueStem(const QFileInfo& file, QSet<QString>& taken) {
    QString base;
    for (const QChar c : file.completeBaseName())
        base += c.isLetterOrNumber() || c == QLatin1Char('-') ? c : QLatin1Char('_');
    if (base.isEmpty()) base = QStringLiteral("program");
    QString stem = base;
    for (int k = 2; taken.contains(stem.toLower()); ++k)
        stem = base + QLatin1Char('-') + QString::number(k);
    taken.insert(stem.toLower());
    return stem;
}

// The lines of a runner's standard error without its name in front, and
// without the note that a classic program was converted, which is no fault.
QStringList MessageLines(const QByteArray& errors) {
    const QString converted =
        QString::fromStdString(Cp1254ToUtf8(GetLanguageString(PreciseTurnedOnId)));
    QStringList lines;
    for (QString line : QString::fromUtf8(errors).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        line.remove(QRegularExpression(QStringLiteral("^mivarelo-run: (warning: )?")));
        if (line != converted) lines << line;
    }
    return lines;
}

} // namespace

QStringList GalleryFiles(const std::vector<std::string>& inputs) {
    QFileInfoList found;
    for (const std::string& input : inputs) {
        const QFileInfo item(QString::fromStdString(input));
        if (item.isDir())
            AddFolder(QDir(item.filePath()), 1, found);
        else
            found << item;
    }
    std::stable_sort(found.begin(), found.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const int byName = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.filePath() < b.filePath();
    });
    QStringList paths;
    for (const QFileInfo& file : found)
        paths << file.filePath();
    return paths;
}

// A program being run: its process, the last line of its standard output
// (the state) and the start of its standard error.
struct GalleryRunner::Job {
    GalleryEntry* entry = nullptr;
    QProcess process;
    QTimer killer;
    QElapsedTimer clock;
    QByteArray outTail;
    QByteArray lastLine;
    QByteArray errors;
    bool killed = false;
};

GalleryRunner::GalleryRunner(const RunnerOptions& options, QString runner)
    : options_(options), runner_(std::move(runner)),
      outDir_(QString::fromStdString(options.galleryDir)), terminal_(isatty(2) != 0) {}

GalleryRunner::~GalleryRunner() = default;

int GalleryRunner::Run() {
    if (!QDir().mkpath(outDir_)) {
        std::fprintf(stderr, "mivarelo-run: cannot write the gallery to %s\n",
                     outDir_.toLocal8Bit().constData());
        return 2;
    }
    QSet<QString> taken = {QStringLiteral("index"), QStringLiteral("summary")};
    for (const QString& path : GalleryFiles(options_.galleryInputs)) {
        GalleryEntry entry;
        entry.path = path;
        entry.name = QFileInfo(path).fileName();
        entry.stem = UniqueStem(QFileInfo(path), taken);
        entries_.push_back(std::move(entry));
    }
    if (!options_.reference.empty()) {
        model_ = std::make_unique<GalleryEntry>();
        model_->path = QString::fromStdString(options_.reference);
        model_->name = QFileInfo(model_->path).fileName();
        model_->stem = UniqueStem(QFileInfo(QStringLiteral("model")), taken);
    }
    if (model_) queue_.push_back(model_.get());
    for (GalleryEntry& entry : entries_)
        queue_.push_back(&entry);
    QEventLoop loop;
    StartNext();
    while (!running_.empty())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    finished_.clear();
    if (terminal_) std::fputc('\n', stderr);
    if (model_) Compare();

    QString error;
    if (!WriteGalleryPage(outDir_, entries_, model_.get(), options_.english, error)) {
        std::fprintf(stderr, "mivarelo-run: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    int status = 0;
    for (const GalleryEntry& entry : entries_) {
        if (entry.status == GalleryStatus::Unreadable) return 2;
        if (entry.status != GalleryStatus::Clean) status = 1;
    }
    return status;
}

// Fills the free places: the model first, then the programs in order.
void GalleryRunner::StartNext() {
    const std::size_t jobs =
        static_cast<std::size_t>(options_.jobs.value_or(std::max(1, QThread::idealThreadCount())));
    while (running_.size() < jobs && next_ < queue_.size())
        Start(*queue_[next_++]);
}

void GalleryRunner::Start(GalleryEntry& entry) {
    auto job = std::make_unique<Job>();
    Job& j = *job;
    j.entry = &entry;
    const QString out = QDir(outDir_).filePath(entry.stem);
    const double limit = options_.timeLimit.value_or(DefaultTimeLimit);
    QStringList args = {entry.path,
                        QStringLiteral("--png"),
                        out + QStringLiteral(".png"),
                        QStringLiteral("--svg"),
                        out + QStringLiteral(".svg"),
                        QStringLiteral("--html"),
                        out + QStringLiteral(".html"),
                        QStringLiteral("--thumbnail"),
                        out + QStringLiteral("-thumb.png"),
                        QStringLiteral("--state"),
                        QStringLiteral("--no-wait"),
                        QStringLiteral("--max-lines"),
                        QString::number(options_.maxLines.value_or(DefaultLineBudget)),
                        QStringLiteral("--time-limit"),
                        QString::number(limit)};
    if (options_.english) args << QStringLiteral("--english");
    connect(&j.process, &QProcess::readyReadStandardOutput, this, [&j] {
        j.outTail += j.process.readAllStandardOutput();
        const qsizetype end = j.outTail.lastIndexOf('\n');
        if (end < 0) return;
        const qsizetype start = j.outTail.lastIndexOf('\n', end - 1) + 1;
        if (end > start) j.lastLine = j.outTail.mid(start, end - start);
        j.outTail.remove(0, end + 1);
    });
    connect(&j.process, &QProcess::readyReadStandardError, this, [&j] {
        const QByteArray more = j.process.readAllStandardError();
        j.errors += more.left(std::max<qsizetype>(0, KeptErrorBytes - j.errors.size()));
    });
    connect(&j.process, &QProcess::finished, this, [this, &j](int code, QProcess::ExitStatus how) {
        Finished(j, how == QProcess::CrashExit, code);
    });
    // A runner that cannot start never finishes: its program ends here.
    connect(&j.process, &QProcess::errorOccurred, this, [this, &j](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) Finished(j, true, -1);
    });
    j.killer.setSingleShot(true);
    connect(&j.killer, &QTimer::timeout, this, [&j] {
        j.killed = true;
        j.process.kill();
    });
    j.killer.start(static_cast<int>(limit * 1000) + KillGraceMs);
    j.clock.start();
    running_.push_back(std::move(job));
    j.process.start(runner_, args);
}

void GalleryRunner::Finished(Job& job, bool crashed, int exitCode) {
    job.killer.stop();
    job.outTail += job.process.readAllStandardOutput();
    if (!job.outTail.trimmed().isEmpty()) job.lastLine = job.outTail.trimmed();
    GalleryEntry& entry = *job.entry;
    entry.seconds = static_cast<double>(job.clock.elapsed()) / 1000.0;
    if (job.killed) {
        entry.status = GalleryStatus::TimeLimit;
    } else if (crashed) {
        entry.status = GalleryStatus::Crashed;
        entry.errors = MessageLines(job.errors);
    } else {
        ReadState(entry, job.lastLine, exitCode, job.errors);
    }
    if (&entry != model_.get()) {
        ++done_;
        Report(entry);
    }
    const auto place = std::find_if(running_.begin(), running_.end(),
                                    [&job](const auto& running) { return running.get() == &job; });
    // The process may not be destroyed inside its own signal: it is kept
    // until the gallery is done.
    finished_.push_back(std::move(*place));
    running_.erase(place);
    StartNext();
}

namespace {

// Colours in the state are 0xBBGGRR.
QRgb ScreenRgb(int colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QRect DrawnBox(const QJsonValue& box) {
    const QJsonArray corners = box.toArray();
    if (corners.size() != 4) return {};
    return QRect(QPoint(corners[0].toInt(), corners[1].toInt()),
                 QPoint(corners[2].toInt(), corners[3].toInt()));
}

} // namespace

// The runner's exit status and the state it printed last: 2 when the file
// could not be read, else its errors (or, for a classic file, the lines
// left out) and how it stopped.
void GalleryRunner::ReadState(GalleryEntry& entry, const QByteArray& state, int exitCode,
                              const QByteArray& errors) {
    const QJsonObject s = QJsonDocument::fromJson(state).object();
    if (exitCode == 2 || s.isEmpty()) {
        entry.status = exitCode == 2 ? GalleryStatus::Unreadable : GalleryStatus::Crashed;
        entry.errors = MessageLines(errors);
        return;
    }
    entry.procedures = s[QLatin1String("procedures")].toInt();
    entry.lines = s[QLatin1String("program_lines")].toInt();
    entry.drawn = DrawnBox(s[QLatin1String("painted_box")]);
    entry.screen = ScreenRgb(s[QLatin1String("screen_color")].toInt());
    entry.hasPicture = QFileInfo::exists(QDir(outDir_).filePath(entry.stem + ".png"));
    for (const QJsonValue& line : s[QLatin1String("errors")].toArray())
        entry.errors << line.toString();
    if (entry.errors.isEmpty() && exitCode != 0) entry.errors = MessageLines(errors);
    const QString stopped = s[QLatin1String("stopped")].toString();
    if (stopped == QLatin1String("time limit"))
        entry.status = GalleryStatus::TimeLimit;
    else if (stopped == QLatin1String("line budget"))
        entry.status = GalleryStatus::LineBudget;
    else
        entry.status =
            entry.errors.isEmpty() && exitCode == 0 ? GalleryStatus::Clean : GalleryStatus::Errors;
}

// A bar on a terminal, one line per program otherwise.
void GalleryRunner::Report(const GalleryEntry& entry) {
    const QByteArray name = entry.name.toLocal8Bit();
    if (terminal_) {
        constexpr int Width = 30;
        const int filled =
            static_cast<int>(done_ * Width / std::max<std::size_t>(1, entries_.size()));
        std::fprintf(stderr, "\r[%s%s] %zu/%zu %-30.30s", std::string(filled, '#').c_str(),
                     std::string(Width - filled, '.').c_str(), done_, entries_.size(),
                     name.constData());
    } else {
        std::fprintf(stderr, "%zu/%zu %s: %s\n", done_, entries_.size(), name.constData(),
                     StatusWord(entry.status));
    }
    std::fflush(stderr);
}

void GalleryRunner::Compare() {
    const QImage model(QDir(outDir_).filePath(model_->stem + ".png"));
    if (model.isNull()) return;
    for (GalleryEntry& entry : entries_) {
        if (!entry.hasPicture) continue;
        const QImage picture(QDir(outDir_).filePath(entry.stem + ".png"));
        entry.likeness = CompareDrawings(picture, entry.screen, model, model_->screen);
    }
}

} // namespace mivarelo
