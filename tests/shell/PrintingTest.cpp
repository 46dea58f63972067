#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "shell/PicturePrinter.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace mivarelo {

namespace {

const QColor Fill(30, 144, 255);
const QColor Marker(255, 0, 0);
const QColor White(255, 255, 255);

// A picture of the engine's size in one colour, with a red square marker at
// 1700-1899 in both directions, near the bottom-right corner.
QImage TestPicture() {
    QImage picture(2000, 2000, QImage::Format_RGB32);
    picture.fill(Fill);
    for (int y = 1700; y < 1900; ++y)
        for (int x = 1700; x < 1900; ++x)
            picture.setPixelColor(x, y, Marker);
    return picture;
}

// The standard output of a poppler tool, or the empty text when it failed.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The first page of `pdf` as a PNG picture, rendered with `size` (pdftoppm's
// options for the resolution or the size in pixels).
QImage RenderPage(const QString& pdf,
                  const QStringList& size = {QStringLiteral("-r"), QStringLiteral("30")}) {
    const QString prefix = pdf + QStringLiteral("-page");
    RunTool(QStringLiteral("pdftoppm"),
            QStringList{QStringLiteral("-png"), QStringLiteral("-singlefile")} + size +
                QStringList{pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QColor At(const QImage& page, double x, double y) {
    return page.pixelColor(static_cast<int>(x), static_cast<int>(y));
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString PathOf(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // Prints through Printer() into a PDF file and renders it back.
    QImage PrintToFile(PicturePrinter& printer, const char* name) {
        printer.Printer().setOutputFormat(QPrinter::PdfFormat);
        printer.Printer().setOutputFileName(PathOf(name));
        QString error;
        if (!printer.Print(TestPicture(), error)) qWarning() << error;
        return RenderPage(PathOf(name));
    }

    static void SetA4(PicturePrinter& printer) {
        printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        ResetGlobals();
        QVERIFY(LoadLanguageModule());
    }

    void squareTypesPrintTheSquareAtTopLeft_data() {
        QTest::addColumn<PicturePrinter::PrintType>("type");
        QTest::newRow("proportional") << PicturePrinter::PrintType::Proportional;
        QTest::newRow("as it is") << PicturePrinter::PrintType::AsItIs;
    }

    void squareTypesPrintTheSquareAtTopLeft() {
        QFETCH(PicturePrinter::PrintType, type);
        PicturePrinter printer;
        QCOMPARE(printer.Orientation(), QPageLayout::Landscape);
        QCOMPARE(printer.Type(), PicturePrinter::PrintType::Proportional);
        SetA4(printer);
        printer.SetPrintType(type);
        const QImage page = PrintToFile(printer, "square.pdf");
        // A4 landscape at 30 pixels per inch.
        QCOMPARE(page.size(), QSize(351, 248));
        const int h = page.height();
        QCOMPARE(At(page, h / 2, h / 2), Fill);
        QCOMPARE(At(page, h - 3, h / 2), Fill);
        QCOMPARE(At(page, h / 2, h - 3), Fill);
        QCOMPARE(At(page, h * 0.9, h * 0.9), Marker);
        QCOMPARE(At(page, h * 0.8, h * 0.8), Fill);
        QCOMPARE(At(page, h + 2, h / 2), White);
        QCOMPARE(At(page, page.width() - 3, 3), White);
        QCOMPARE(At(page, page.width() - 3, h - 3), White);

        const QString info = RunTool(QStringLiteral("pdfinfo"), {PathOf("square.pdf")});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title: +Orpu\n"))),
                 qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n"))),
                 qPrintable(info));
    }

    void fitToScreenFillsTheWholePage() {
        PicturePrinter printer;
        SetA4(printer);
        printer.SetPrintType(PicturePrinter::PrintType::FitToScreen);
        QString error;
        QVERIFY(printer.ExportPdf(TestPicture(), PathOf("fit.pdf"), error));
        QVERIFY(error.isEmpty());
        // At 300 dpi poppler enlarges the picture in both directions by
        // repeating pixels; shrunk unequally, its colours would lose a unit.
        const QImage page =
            RenderPage(PathOf("fit.pdf"), {QStringLiteral("-r"), QStringLiteral("300")});
        QCOMPARE(page.size(), QSize(3509, 2480));
        const int w = page.width();
        const int h = page.height();
        QCOMPARE(At(page, w / 2, h / 2), Fill);
        QCOMPARE(At(page, h + 20, h / 2), Fill);
        QCOMPARE(At(page, w - 3, 200), Fill);
        QCOMPARE(At(page, w - 3, h / 2), Fill);
        QCOMPARE(At(page, w / 2, h - 3), Fill);
        QCOMPARE(At(page, w - 3, h - 3), Fill);
        // The marker covers 85 % to 95 % of the page in both directions.
        QCOMPARE(At(page, w * 0.86, h * 0.86), Marker);
        QCOMPARE(At(page, w * 0.94, h * 0.94), Marker);
        QCOMPARE(At(page, w * 0.84, h * 0.9), Fill);
        QCOMPARE(At(page, w * 0.9, h * 0.96), Fill);
    }

    void portraitPageHoldsTheSquareAtTheTop() {
        PicturePrinter printer;
        SetA4(printer);
        printer.SetOrientation(QPageLayout::Portrait);
        QCOMPARE(printer.Orientation(), QPageLayout::Portrait);
        QString error;
        QVERIFY(printer.ExportPdf(TestPicture(), PathOf("portrait.pdf"), error));
        // Exporting leaves the printer's own output alone.
        QVERIFY(printer.Printer().outputFileName().isEmpty());
        const QImage page = RenderPage(PathOf("portrait.pdf"));
        QCOMPARE(page.size(), QSize(248, 351));
        const int w = page.width();
        QCOMPARE(At(page, w - 3, w / 2), Fill);
        QCOMPARE(At(page, w / 2, w - 3), Fill);
        QCOMPARE(At(page, w * 0.9, w * 0.9), Marker);
        QCOMPARE(At(page, w / 2, w + 2), White);
        QCOMPARE(At(page, w / 2, page.height() - 3), White);
    }

    void footerIsWrittenOverThePicture() {
        PicturePrinter printer;
        SetA4(printer);
        const QImage page = PrintToFile(printer, "footer.pdf");
        const QString text = RunTool(QStringLiteral("pdftotext"), {PathOf("footer.pdf"), "-"});
        QVERIFY2(
            text.contains(QStringLiteral("Bu resim MIVARELO yazılımı tarafından üretilmiştir.\n")),
            qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Mivarelo: kaplumbağa ile çizerek Logo öğrenin.")),
                 qPrintable(text));
        // The dark letters lie in the top band, right of x = 5 (200 printer
        // pixels at 1200 dpi); nothing is filled around them.
        int darkPixels = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 150; ++x)
                if (qGray(page.pixel(x, y)) < 60) ++darkPixels;
        QVERIFY(darkPixels > 20);
        for (int y = 0; y < 12; ++y)
            QVERIFY(qGray(page.pixel(4, y)) >= 60);
        QCOMPARE(At(page, 200, 20), Fill);
    }

    void unwritableFileGivesAnErrorNamingIt() {
        PicturePrinter printer;
        const QString path = PathOf("missing-folder/page.pdf");
        QString error;
        QVERIFY(!printer.ExportPdf(TestPicture(), path, error));
        QCOMPARE(error, QStringLiteral("\"%1\" dosyası yazılamadı.").arg(path));
        QVERIFY(!QFile::exists(path));

        printer.Printer().setOutputFormat(QPrinter::PdfFormat);
        printer.Printer().setOutputFileName(path);
        error.clear();
        QVERIFY(!printer.Print(TestPicture(), error));
        QVERIFY2(error.contains(path), qPrintable(error));
    }

    void pageSizeTextInBothLanguages() {
        PicturePrinter printer;
        SetA4(printer);
        QCOMPARE(printer.PageSizeText(),
                 QStringLiteral("Sayfa boyutu (g x y):\n297 x 210 (mm)\n14033 x 9917 (piksel)"));
        Globals().EnglishInterface = true;
        QVERIFY(LoadLanguageModule());
        printer.SetOrientation(QPageLayout::Portrait);
        const QString english = printer.PageSizeText();
        Globals().EnglishInterface = false;
        QVERIFY(LoadLanguageModule());
        QCOMPARE(english,
                 QStringLiteral("Page size (w x h):\n210 x 297 (mm)\n9917 x 14033 (pixels)"));
    }

    void previewShowsOnePage() {
        PicturePrinter printer;
        SetA4(printer);
        int pages = -1;
        QTimer::singleShot(0, [&pages] {
            // Whatever window is open gets closed, so that the test cannot hang.
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal)) {
                if (auto* preview = dialog->findChild<QPrintPreviewWidget*>())
                    pages = preview->pageCount();
            }
            if (modal) modal->close();
        });
        printer.Preview(TestPicture(), nullptr);
        QCOMPARE(pages, 1);
    }
};

} // namespace mivarelo

QTEST_MAIN(mivarelo::PrintingTest)
#include "PrintingTest.moc"
