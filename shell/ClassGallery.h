#pragma once
// File -> Open Class Folder...: the programs of a folder run in the
// headless runner's gallery mode, in the background, and their page opens
// in the web browser. The window goes on answering meanwhile.
#include <QObject>
#include <QString>

class QProcess;

namespace mivarelo {

class ClassGallery : public QObject {
    Q_OBJECT
public:
    explicit ClassGallery(QObject* parent);
    ~ClassGallery() override;

    // Asks for the folder, starting in `startFolder`, and runs it.
    void ChooseAndRun(const QString& startFolder);
    // False while a gallery is being made.
    bool Run(const QString& folder);
    bool Busy() const;
    // Where the page of `folder` goes: its own "gallery" folder when the
    // folder can be written, else one in the user's cache.
    static QString OutputFolder(const QString& folder);

signals:
    void Started();
    // The page was opened, or `message` says why there is none.
    void Finished(bool opened, const QString& message);

private:
    void Done();

    QProcess* process_ = nullptr;
    QString page_;
};

} // namespace mivarelo
