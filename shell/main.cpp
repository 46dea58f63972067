// The desktop program: the main window with the drawing window and the
// command window. "--screenshot PATH [--english] [FILE]" runs FILE, saves a
// picture of the windows and exits (for screenshots, tests and benchmarks);
// with it, "--stop-after MS" stops the run after MS milliseconds and
// "--report" prints how fast the window was.
#include "core/GlobalSettings.h"
#include "shell/ScreenshotRun.h"
#include "shell/TLogoMainForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>

namespace {

struct Arguments {
    mivarelo::ScreenshotRun::Options screenshot;
    QString file;
    bool english = false;
};

Arguments ParseArguments(const QStringList& list) {
    Arguments arguments;
    QStringList rest;
    for (qsizetype k = 1; k < list.size(); ++k) {
        if (list[k] == QLatin1String("--screenshot") && k + 1 < list.size())
            arguments.screenshot.target = list[++k];
        else if (list[k] == QLatin1String("--stop-after") && k + 1 < list.size())
            arguments.screenshot.stopAfterMs = list[++k].toInt();
        else if (list[k] == QLatin1String("--report"))
            arguments.screenshot.report = true;
        else if (list[k] == QLatin1String("--english"))
            arguments.english = true;
        else
            rest << list[k];
    }
    arguments.file = rest.join(u' ');
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mivarelo"));
    QApplication::setOrganizationName(QStringLiteral("Mivarelo"));
    Arguments arguments = ParseArguments(QApplication::arguments());
    mivarelo::Globals().EnglishInterface = arguments.english;
    mivarelo::TLogoMainForm window;
    if (!arguments.screenshot.target.isEmpty()) {
        window.resize(1280, 800);
        arguments.screenshot.program = arguments.file;
        return mivarelo::ScreenshotRun(window, arguments.screenshot, clock).Exec();
    }
    window.showMaximized();
    if (!arguments.file.isEmpty()) window.OpenProgramPath(arguments.file);
    return QApplication::exec();
}
