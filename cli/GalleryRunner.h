#pragma once
// mivarelo-run --gallery: runs a class's programs, each in a runner process
// of its own (so that one that crashes or never ends harms no other), a few
// at a time, and writes the gallery page of their pictures.
#include "cli/GalleryEntry.h"
#include "cli/RunnerOptions.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <cstddef>
#include <memory>
#include <vector>

class QProcess;
class QTimer;

namespace mivarelo {

// The program files named by `inputs`: files as given, and the ".elg" and
// ".lgo" files of the folders and of their folders one level down, in the
// order of their file names. A path that names nothing is kept, to be
// reported as unreadable.
QStringList GalleryFiles(const std::vector<std::string>& inputs);

class GalleryRunner : public QObject {
    Q_OBJECT
public:
    // `runner` is the path of mivarelo-run itself.
    GalleryRunner(const RunnerOptions& options, QString runner);
    ~GalleryRunner() override;
    // The exit status: 0 every program clean, 1 some with errors or
    // stopped, 2 a file unreadable or the gallery not written.
    int Run();

private:
    struct Job;

    void StartNext();
    void Start(GalleryEntry& entry);
    void Finished(Job& job, bool crashed, int exitCode);
    void ReadState(GalleryEntry& entry, const QByteArray& state, int exitCode,
                   const QByteArray& errors);
    void Report(const GalleryEntry& entry);
    void Compare();

    const RunnerOptions& options_;
    QString runner_;
    QString outDir_;
    std::vector<GalleryEntry> entries_;
    std::size_t next_ = 0;
    std::size_t done_ = 0;
    // The model, if any, then the programs.
    std::vector<GalleryEntry*> queue_;
    std::vector<std::unique_ptr<Job>> running_;
    std::vector<std::unique_ptr<Job>> finished_;
    std::unique_ptr<GalleryEntry> model_;
    bool terminal_ = false;
};

} // namespace mivarelo
