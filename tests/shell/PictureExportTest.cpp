// Exporting the picture from the File menu of the real main window: a
// program typed and run, the file chosen through the scripted dialogs, the
// written PNG and SVG read back.
#include "core/GlobalSettings.h"
#include "engine/SvgWriter.h"
#include "shell/MainActions.h"
#include "shell/MainWindow.h"
#include "widgets/CodeEditor.h"
#include "shell/support/ScriptedDialogs.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace mivarelo;

class PictureExportTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<support::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.filePath("cfg"));
    }

    void init() {
        QSettings().clear();
        ResetGlobals();
        dialogs = std::make_unique<support::ScriptedDialogs>();
        window = std::make_unique<MainWindow>();
    }

    void cleanup() {
        window.reset();
        dialogs.reset();
    }

    void SvgHoldsTheShapesPngThePixelsAndFailuresAreShown() {
        window->findChild<CodeEditor*>(QStringLiteral("Editor"))->setPlainText("setpc [255 0 0]\nfd 100\nrt 90\nspw 3\nfd 50");
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        window->Actions().RunProcedureAction->trigger();
        if (window->Running()) QVERIFY(ended.wait(10000));
        // Without an extension the file gets the format's. The drawn part
        // with a margin of 20 pixels is the first choice, the whole picture
        // the second; the status bar says where the file went.
        dialogs->files << folder.filePath("square") << folder.filePath("square.png")
                       << folder.filePath("whole.png");
        dialogs->fileFilters << 1 << 1 << 2;
        window->Actions().ExportSvgAction->trigger();
        QCOMPARE(dialogs->lastFilters,
                 QStringList({QString::fromUtf8("SVG resmi, çizilen bölüm (*.svg)"),
                              QString::fromUtf8("SVG resmi, resmin tamamı (*.svg)")}));
        const QRect part(480, 479, 142, 93);
        const QByteArray svg = Contents(folder.filePath("square.svg"));
        QCOMPARE(svg, SvgWriter::Document(window->Engine().Screen().Surface(), part));
        QVERIFY(svg.contains("width=\"142\" height=\"93\" viewBox=\"480 479 142 93\""));
        QVERIFY(
            svg.contains("<line x1=\"600.5\" y1=\"500.5\" x2=\"600.5\" y2=\"550.5\" "
                         "stroke=\"#ff0000\" stroke-width=\"3.01\" stroke-linecap=\"round\"/>"));
        QCOMPARE(window->statusBar()->currentMessage(),
                 QString::fromUtf8("Resim kaydedildi: ") +
                     QDir::toNativeSeparators(folder.filePath("square.svg")));
        window->Actions().ExportPngAction->trigger();
        const QImage png(folder.filePath("square.png"));
        QCOMPARE(png.convertToFormat(QImage::Format_RGB32),
                 window->Engine().Screen().Surface().Image().copy(part));
        QCOMPARE(png.pixel(550 - part.x(), 500 - part.y()), qRgb(255, 0, 0));
        window->Actions().ExportPngAction->trigger();
        const QImage whole(folder.filePath("whole.png"));
        QCOMPARE(whole.convertToFormat(QImage::Format_RGB32),
                 window->Engine().Screen().Surface().Image());
        QVERIFY(dialogs->messages.isEmpty());

        const QString missing = folder.filePath("no-such-folder/picture.svg");
        dialogs->files.enqueue(missing);
        window->Actions().ExportSvgAction->trigger();
        QCOMPARE(dialogs->messages,
                 QStringList{"Hata: Dosya kaydedilemedi: " + QDir::toNativeSeparators(missing) +
                             "\nyazılamıyor (izin yok ya da disk dolu)"});
    }

    void MenuEntriesSpeakBothLanguages() {
        QCOMPARE(window->Actions().ExportPngAction->text(), "Resmi PNG Olarak Dışa Aktar…");
        window->Actions().EnglishInterfaceAction->trigger();
        QCOMPARE(window->Actions().ExportSvgAction->text(), "Export Picture as SVG…");
    }
};

QTEST_MAIN(PictureExportTest)
#include "PictureExportTest.moc"
