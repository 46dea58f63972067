// Times the writing of a recovery copy of a 10,000-line program, as the
// window writes it every 30 seconds and before each run while the program
// has unsaved changes. Prints the medians of 21 writes against the target,
// and of the hand-over that the window's thread does before each.
//
//   recovery_bench FOLDER
#include "core/ProcedureStore.h"
#include "shell/RecoveryStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Lines = 10000;
constexpr int Writes = 21;
constexpr double TargetMs = 20.0;

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    // Ten procedures of a thousand lines each, every line a typical one.
    mivarelo::ProcedureStore program;
    for (int p = 0; p < 10; ++p) {
        std::string body;
        for (int k = 0; k < Lines / 10; ++k)
            body += "repeat 36 [fd :boy + " + std::to_string(k) + " rt 10] setpc [200 40 40]\n";
        program.AddProcedure(p == 0 ? "AnaEkran" : "parca" + std::to_string(p) + " :boy", body);
    }
    const mivarelo::RecoveryStore store(QString::fromLocal8Bit(argv[1]));
    // The window's share is the copy of the program it hands to the
    // writer's thread; the write itself runs there.
    std::vector<double> handOver;
    std::vector<double> writes;
    for (int k = 0; k < Writes; ++k) {
        QElapsedTimer clock;
        clock.start();
        const mivarelo::ProcedureStore copy = program;
        handOver.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        if (!store.Write(copy, QStringLiteral("/home/ogrenci/kare.elg"))) return 1;
        writes.push_back(clock.nsecsElapsed() / 1e6);
    }
    store.Remove();
    std::sort(handOver.begin(), handOver.end());
    std::sort(writes.begin(), writes.end());
    const double write = writes[writes.size() / 2];
    std::printf("recovery copy of %d lines: write %.2f ms on the writer's thread (target %.0f ms) "
                "%s, hand-over %.2f ms on the window's thread\n",
                Lines, write, TargetMs, write < TargetMs ? "ok" : "SLOW",
                handOver[handOver.size() / 2]);
    return 0;
}
