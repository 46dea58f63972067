// mivarelo-run: runs a Logo program headless and reports the picture and the
// final state. Works without a display: Qt's offscreen platform is chosen
// unless the environment names another one.
#include "cli/GalleryRunner.h"
#include "cli/HeadlessRunner.h"
#include "cli/RunnerOptions.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "engine/Picture.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#ifndef MIVARELO_VERSION
#define MIVARELO_VERSION "unknown"
#endif

namespace {

// Standard error carries the run's error lines; Qt's notes about the
// environment (such as a missing runtime folder) would only be noise there.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "mivarelo-run: %s\n", message.toLocal8Bit().constData());
}

// The application object is made only when a label is drawn or the picture
// saved: the run itself needs no platform, while loading one with its font
// database would be most of what a short run costs.
int applicationArgc = 0;
char** applicationArgv = nullptr;
std::unique_ptr<QGuiApplication> application;

void StartApplication() {
    if (!QGuiApplication::instance())
        application = std::make_unique<QGuiApplication>(applicationArgc, applicationArgv);
}

} // namespace

int main(int argc, char** argv) {
    using namespace mivarelo;
    RunnerOptions options;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto error = ParseRunnerOptions(args, options)) {
        std::fprintf(stderr, "mivarelo-run: %s (see --help)\n", error->c_str());
        return ExitUsage;
    }
    if (options.help) {
        std::fputs(RunnerUsage(), stdout);
        return ExitClean;
    }
    if (options.version) {
        std::puts("mivarelo-run " MIVARELO_VERSION);
        return ExitClean;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(QuietQtMessages);
    applicationArgc = argc;
    applicationArgv = argv;
    Picture::SetFontSetUp(&StartApplication);
    if (!options.galleryDir.empty()) {
        StartApplication();
        Globals().EnglishInterface = options.english;
        LoadLanguageModule();
        const int status = GalleryRunner(options, QCoreApplication::applicationFilePath()).Run();
        application.reset();
        return status;
    }
    const int status = HeadlessRunner(options, &StartApplication).Run();
    application.reset();
    return status;
}
