// Times the graphical mode's undo of a long drawing in the real windows:
// 1,000 lines are recorded by button presses, then each undo replays all
// the remaining lines. Prints the median of five undos, from the press to
// the end of the replay, against its target.
//
//   undo_bench            (run it with QT_QPA_PLATFORM=offscreen)
#include "core/GlobalSettings.h"
#include "modes/ButtonCommandWindow.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr int RecordedLines = 1000;
constexpr int Undos = 5;
constexpr double TargetMs = 500.0;

void WaitForRunEnd(mivarelo::MainWindow& window) {
    if (!mivarelo::Globals().RunActive) return;
    QEventLoop loop;
    QObject::connect(&window, &mivarelo::MainWindow::RunEnded, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    mivarelo::MainWindow window;
    window.resize(1280, 800);
    window.show();
    window.SwitchToGraphicalMode();
    WaitForRunEnd(window);
    auto* form = qobject_cast<mivarelo::ButtonCommandWindow*>(window.CurrentCommandWindow());
    if (!form) return 1;
    mivarelo::Globals().CanUndoLastCommand = true;
    // A walk over the grid: up, up-right, right, down-right and back.
    const std::array<int, 6> walk = {2, 3, 6, 9, 8, 4};
    for (int k = 0; k < RecordedLines; ++k) {
        form->ButtonCommand(walk[k % walk.size()]);
        WaitForRunEnd(window);
    }
    if (form->HistoryCount() != RecordedLines + 1) return 1;
    std::vector<double> samples;
    for (int k = 0; k < Undos; ++k) {
        QElapsedTimer clock;
        clock.start();
        form->UndoAction->trigger();
        WaitForRunEnd(window);
        samples.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    std::printf("%-8s %8.1f ms  (target %.0f ms, after %d recorded lines)  %s\n", "undo", median,
                TargetMs, RecordedLines, median < TargetMs ? "ok" : "SLOW");
    return 0;
}
