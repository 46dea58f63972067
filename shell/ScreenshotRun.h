#pragma once
// The automation road of the program (screenshots, benchmarks, tests): open
// a program file, run it as Run When Opened does, wait for the end, save a
// picture of the main window with the command window on it, and tell by the
// exit status how it went.
#include <QString>

namespace mivarelo {

class TLogoMainForm;

class ScreenshotRun {
public:
    enum Status { Clean = 0, WithErrors = 1, Unreadable = 2 };

    ScreenshotRun(TLogoMainForm& window, QString target, QString program);
    // Shows the window, runs, saves the picture; the exit status.
    int Exec();

private:
    void WaitForRunEnd();
    bool SavePicture() const;

    TLogoMainForm& window_;
    QString target_;
    QString program_;
};

} // namespace mivarelo
