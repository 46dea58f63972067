#pragma once
// The automation road of the program (screenshots, benchmarks, tests): open
// a program file, run it as Run When Opened does, wait for the end, save a
// picture of the main window with the command window on it, and tell by the
// exit status how it went, never waiting for an answer. On request it also
// reports how fast the window was (the first frame, the run, the stop
// latency, the longest pause between two frames during the run, how long
// opening the file took and the longest pause of a timer meanwhile) and
// what it shows: the part of the picture in view, the zoom, the windows.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace mivarelo {

class MainWindow;

class ScreenshotRun : public QObject {
public:
    enum Status { Clean = 0, WithErrors = 1, Unreadable = 2 };

    struct Options {
        QString target;
        QString program;
        // Stop the run this many milliseconds after it started (0: never).
        int stopAfterMs = 0;
        // Print the timings and the view as a JSON line.
        bool report = false;
        // Switch to graphical mode first and record the lines of the
        // program's main procedure through its window, one run each.
        bool graphical = false;
        // Run Step by Step with the variable inspector shown, take this
        // many steps and the picture, then stop (0: an ordinary run).
        int steps = 0;
    };

    // `clock` runs since the start of the process.
    ScreenshotRun(MainWindow& window, Options options, const QElapsedTimer& clock);
    // Shows the window, runs, saves the picture; the exit status.
    int Exec();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int ShowRunAndShoot();
    void WaitForRunEnd();
    bool StepAndShoot();
    bool RecordInGraphicalMode();
    void WaitForRecordedLine();
    bool SavePicture() const;
    void Report() const;

    MainWindow& window_;
    Options options_;
    const QElapsedTimer& clock_;
    qint64 firstFrameMs_ = -1;
    qint64 runStartMs_ = -1;
    qint64 runEndMs_ = -1;
    qint64 stopMs_ = -1;
    qint64 lastFrameMs_ = -1;
    qint64 longestGapMs_ = 0;
    // Ticks while the file is opened and run, to see whether the window
    // goes on answering.
    QTimer ticker_;
    qint64 lastTickMs_ = -1;
    qint64 longestTickGapMs_ = 0;
    qint64 openMs_ = -1;
};

} // namespace mivarelo
