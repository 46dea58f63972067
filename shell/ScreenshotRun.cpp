#include "shell/ScreenshotRun.h"

#include "modes/TKomutIdareForm.h"
#include "shell/TLogoMainForm.h"

#include <QEventLoop>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace mivarelo {

namespace {

// A program that does not end by itself is stopped after this long.
constexpr int RunLimitMs = 120'000;
// Time for the focus timer and the last frames after the run.
constexpr int SettleMs = 300;

void Pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

ScreenshotRun::ScreenshotRun(TLogoMainForm& window, QString target, QString program)
    : window_(window), target_(std::move(target)), program_(std::move(program)) {}

int ScreenshotRun::Exec() {
    window_.show();
    Pause(50);
    if (!program_.isEmpty()) {
        if (!window_.OpenProgramPath(program_)) {
            std::fprintf(stderr, "mivarelo: cannot read %s\n", qPrintable(program_));
            return Unreadable;
        }
        WaitForRunEnd();
    }
    Pause(SettleMs);
    if (!SavePicture()) {
        std::fprintf(stderr, "mivarelo: cannot write %s\n", qPrintable(target_));
        return Unreadable;
    }
    const QListWidget* errors = window_.Controls().ErrorList;
    return errors && errors->count() > 0 ? WithErrors : Clean;
}

void ScreenshotRun::WaitForRunEnd() {
    if (!window_.Running()) return;
    QEventLoop loop;
    QObject::connect(&window_, &TLogoMainForm::RunEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(RunLimitMs, &window_, [this] { window_.StopRun(); });
    loop.exec();
}

// The command window is a window of its own; it is painted onto the main
// window's picture where it stands on the screen.
bool ScreenshotRun::SavePicture() const {
    QPixmap picture = window_.grab();
    if (TKomutIdareForm* command = window_.CommandWindow(); command && command->isVisible()) {
        QPainter painter(&picture);
        const QPoint offset = command->geometry().topLeft() - window_.geometry().topLeft();
        painter.drawPixmap(offset, command->grab());
    }
    return picture.save(target_, "PNG");
}

} // namespace mivarelo
