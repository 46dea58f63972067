// The desktop program: the main window with the drawing window and the
// command window. "--screenshot PATH [--english] [FILE]" runs FILE, saves a
// picture of the windows and exits (for screenshots, tests and benchmarks);
// with it, "--stop-after MS" stops the run after MS milliseconds and
// "--report" prints how fast the window was; "--graphical" records the
// lines of FILE's main procedure through the graphical mode's window;
// "--step N" runs FILE Step by Step with the variable inspector shown and
// takes the picture after N steps, with the next line marked.
// The interface speaks the language chosen last (the system's on the very
// first start); "--english" makes a start speak English, and a screenshot
// without it speaks Turkish whatever was chosen before.
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "shell/Dialogs.h"
#include "shell/InterfaceLanguage.h"
#include "shell/QtText.h"
#include "shell/ScreenshotRun.h"
#include "shell/SingleInstance.h"
#include "shell/TLogoMainForm.h"

#include <QApplication>
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

Arguments ParseArguments(const QStringList& list) {
    Arguments arguments;
    for (qsizetype k = 1; k < list.size(); ++k) {
        if (list[k] == QLatin1String("--screenshot") && k + 1 < list.size())
            arguments.screenshot.target = list[++k];
        else if (list[k] == QLatin1String("--stop-after") && k + 1 < list.size())
            arguments.screenshot.stopAfterMs = list[++k].toInt();
        else if (list[k] == QLatin1String("--report"))
            arguments.screenshot.report = true;
        else if (list[k] == QLatin1String("--graphical"))
            arguments.screenshot.graphical = true;
        else if (list[k] == QLatin1String("--step") && k + 1 < list.size())
            arguments.screenshot.steps = list[++k].toInt();
        else if (list[k] == QLatin1String("--english"))
            arguments.english = true;
        else
            arguments.files << list[k];
    }
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
    mivarelo::Globals().EnglishInterface = mivarelo::StartsInEnglish(
        arguments.english, !arguments.screenshot.target.isEmpty(), QLocale::system());
    // One copy per user: a later start hands its file to the running copy,
    // or says that only one copy can run. Screenshots always run on their own.
    mivarelo::SingleInstance instance;
    if (arguments.screenshot.target.isEmpty() && !instance.TryLock()) {
        const QString file = mivarelo::TLogoMainForm::CommandLineFile(arguments.files);
        if (!file.isEmpty() && instance.HandOver(QFileInfo(file).absoluteFilePath())) return 0;
        mivarelo::LoadLanguageModule();
        mivarelo::CurrentDialogs().ShowMessage(mivarelo::LanguageText(7757),
                                               mivarelo::LanguageText(7737));
        return 0;
    }
    mivarelo::TLogoMainForm window;
    if (!arguments.screenshot.target.isEmpty()) {
        window.resize(1280, 800);
        arguments.screenshot.program = arguments.files.join(u' ');
        return mivarelo::ScreenshotRun(window, arguments.screenshot, clock).Exec();
    }
    QObject::connect(&instance, &mivarelo::SingleInstance::FileReceived, &window,
                     &mivarelo::TLogoMainForm::ReceiveFile);
    window.showMaximized();
    window.OpenCommandLineFile(arguments.files);
    return QApplication::exec();
}
