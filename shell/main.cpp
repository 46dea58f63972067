// The desktop program: the main window with the drawing window and the
// command panel. "--screenshot PATH [--english] [FILE]" runs FILE, saves a
// picture of the window and exits (for screenshots, tests and benchmarks);
// "--help" lists its companions. A normal start shows the window as the
// user left it, maximized the very first time.
// The interface speaks the language chosen last (the system's on the very
// first start); "--english" makes a start speak English, and a screenshot
// without it speaks Turkish whatever was chosen before.
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "shell/GuardedApplication.h"
#include "shell/InterfaceLanguage.h"
#include "shell/MainWindow.h"
#include "shell/ProgramDocument.h"
#include "shell/RecoveryStore.h"
#include "shell/ScreenshotRun.h"
#include "shell/SingleInstance.h"
#include "shell/TerminationSignals.h"
#include "widgets/Dialogs.h"
#include "widgets/QtText.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

namespace {

struct Arguments {
    mivarelo::ScreenshotRun::Options screenshot;
    QStringList files;
    bool english = false;
};

// --help and --version print and end the program here; an unknown option or
// a missing value ends it with a message and status 1.
Arguments ParseArguments(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Mivarelo: learn Logo by drawing with the turtle."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A program (.elg) or plain Logo file (.lgo) to open."));
    const QCommandLineOption english(QStringLiteral("english"),
                                     QStringLiteral("Speak English for this start."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Run FILE, save a picture of the window to PATH and exit: 0 clean, "
                       "1 errors listed, 2 FILE unreadable."),
        QStringLiteral("PATH"));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("With --screenshot: print timings, the part of the picture in view, "
                       "the zoom and the windows shown as one JSON line."));
    const QCommandLineOption stopAfter(
        QStringLiteral("stop-after"),
        QStringLiteral("With --screenshot: stop the run after MS milliseconds."),
        QStringLiteral("MS"));
    const QCommandLineOption graphical(
        QStringLiteral("graphical"),
        QStringLiteral("With --screenshot: record FILE's main procedure line by line in "
                       "graphical mode."));
    const QCommandLineOption step(
        QStringLiteral("step"),
        QStringLiteral("With --screenshot: run Step by Step with the variable inspector and "
                       "take the picture after N steps."),
        QStringLiteral("N"));
    parser.addOptions({english, screenshot, report, stopAfter, graphical, step});
    parser.process(app);
    Arguments arguments;
    arguments.english = parser.isSet(english);
    arguments.screenshot.target = parser.value(screenshot);
    arguments.screenshot.report = parser.isSet(report);
    arguments.screenshot.stopAfterMs = parser.value(stopAfter).toInt();
    arguments.screenshot.graphical = parser.isSet(graphical);
    arguments.screenshot.steps = parser.value(step).toInt();
    arguments.files = parser.positionalArguments();
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    mivarelo::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mivarelo"));
    QApplication::setOrganizationName(QStringLiteral("Mivarelo"));
    QApplication::setApplicationVersion(QStringLiteral(MIVARELO_VERSION));
    Arguments arguments = ParseArguments(app);
    mivarelo::Globals().EnglishInterface = mivarelo::StartsInEnglish(
        arguments.english, !arguments.screenshot.target.isEmpty(), QLocale::system());
    // One copy per user: a later start hands its file to the running copy,
    // or says that only one copy can run. Screenshots always run on their own.
    mivarelo::SingleInstance instance;
    if (arguments.screenshot.target.isEmpty() && !instance.TryLock()) {
        const QString file = mivarelo::ProgramDocument::CommandLineFile(arguments.files);
        if (!file.isEmpty() && instance.HandOver(QFileInfo(file).absoluteFilePath())) return 0;
        mivarelo::LoadLanguageModule();
        mivarelo::CurrentDialogs().ShowMessage(mivarelo::LanguageText(mivarelo::OnlyOneCopyId),
                                               mivarelo::LanguageText(mivarelo::ErrorCaptionId));
        return 0;
    }
    mivarelo::MainWindow window;
    if (!arguments.screenshot.target.isEmpty()) {
        arguments.screenshot.program = arguments.files.join(u' ');
        return mivarelo::ScreenshotRun(window, arguments.screenshot, clock).Exec();
    }
    QObject::connect(&instance, &mivarelo::SingleInstance::FileReceived, &window,
                     &mivarelo::MainWindow::ReceiveFile);
    // Work is never lost: recovery copies while the program is unsaved, one
    // more when the session ends or an error escapes, and the copies of
    // earlier processes offered first.
    mivarelo::TerminationSignals termination;
    QObject::connect(&termination, &mivarelo::TerminationSignals::Received, &window, [&window] {
        window.Document().WriteRecoveryCopy();
        QApplication::exit(0);
    });
    app.SetExceptionHandler([&window](const QString& what) {
        window.Document().WriteRecoveryCopy();
        mivarelo::CurrentDialogs().ShowMessage(
            mivarelo::LanguageText(mivarelo::SomethingWentWrongId).arg(what),
            mivarelo::LanguageText(mivarelo::ErrorCaptionId));
    });
    window.ShowRemembered();
    window.Document().StartRecovery(std::make_unique<mivarelo::RecoveryStore>());
    window.Document().OpenCommandLineFile(arguments.files);
    return QApplication::exec();
}
