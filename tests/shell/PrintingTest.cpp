#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "engine/Picture.h"
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
Picture TestPicture() {
    Picture picture(2000, 2000);
    picture.SetBrushColor(MakeColor(Fill.red(), Fill.green(), Fill.blue()));
    picture.FillRect(QRect(0, 0, 2000, 2000));
    picture.SetBrushColor(MakeColor(Marker.red(), Marker.green(), Marker.blue()));
    picture.FillRect(QRect(1700, 1700, 200, 200));
    return picture;
}

// The outline of the square from (500, 500) to (600, 600) drawn with the pen.
Picture SquarePicture() {
    Picture picture(2000, 2000);
    const QPoint corners[] = {{500, 500}, {600, 500}, {600, 600}, {500, 600}, {500, 500}};
    for (int i = 0; i < 4; ++i)
        picture.DrawLine(corners[i], corners[i + 1]);
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
        // A4 landscape at 30 pixels per inch; 10 mm margins are 12 pixels.
        QCOMPARE(page.size(), QSize(351, 248));
        const int m = 12;
        const int side = page.height() - 2 * m;
        QCOMPARE(At(page, m - 3, m + side / 2), White);
        QCOMPARE(At(page, m + side / 2, m - 3), White);
        QCOMPARE(At(page, m + 2, m + side / 2), Fill);
        QCOMPARE(At(page, m + side / 2, m + side / 2), Fill);
        QCOMPARE(At(page, m + side - 3, m + side / 2), Fill);
        QCOMPARE(At(page, m + side / 2, m + side - 3), Fill);
        QCOMPARE(At(page, m + side * 0.9, m + side * 0.9), Marker);
        QCOMPARE(At(page, m + side * 0.8, m + side * 0.8), Fill);
        QCOMPARE(At(page, m + side + 2, m + side / 2), White);
        QCOMPARE(At(page, m + side / 2, page.height() - 3), White);
        QCOMPARE(At(page, page.width() - 3, 3), White);
        QCOMPARE(At(page, page.width() - 3, page.height() - 3), White);

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
        // The picture fills the page inside its 10 mm (119 pixel) margins.
        const int m = 119;
        const int w = page.width() - 2 * m;
        const int h = page.height() - 2 * m;
        QCOMPARE(At(page, m - 5, m + h / 2), White);
        QCOMPARE(At(page, m + w / 2, page.height() - m + 5), White);
        QCOMPARE(At(page, m + w / 2, m + h / 2), Fill);
        QCOMPARE(At(page, m + h + 20, m + h / 2), Fill);
        QCOMPARE(At(page, m + w - 3, m + 200), Fill);
        QCOMPARE(At(page, m + w - 3, m + h / 2), Fill);
        QCOMPARE(At(page, m + w / 2, m + h - 3), Fill);
        QCOMPARE(At(page, m + w - 3, m + h - 3), Fill);
        // The marker covers 85 % to 95 % of the picture in both directions.
        QCOMPARE(At(page, m + w * 0.86, m + h * 0.86), Marker);
        QCOMPARE(At(page, m + w * 0.94, m + h * 0.94), Marker);
        QCOMPARE(At(page, m + w * 0.84, m + h * 0.9), Fill);
        QCOMPARE(At(page, m + w * 0.9, m + h * 0.96), Fill);
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
        const int m = 12;
        const int w = page.width() - 2 * m;
        QCOMPARE(At(page, m + w - 3, m + w / 2), Fill);
        QCOMPARE(At(page, m + w / 2, m + w - 3), Fill);
        QCOMPARE(At(page, m + w * 0.9, m + w * 0.9), Marker);
        QCOMPARE(At(page, m + w / 2, m + w + 2), White);
        QCOMPARE(At(page, m + w / 2, page.height() - 3), White);
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
        // The dark letters lie in the top band inside the 10 mm (12 pixel)
        // margin, right of x = 12 + 5 (200 printer pixels at 1200 dpi);
        // nothing is filled around them, and the margin stays white.
        const int m = 12;
        int darkPixels = 0;
        for (int y = m; y < m + 12; ++y)
            for (int x = m; x < m + 150; ++x)
                if (qGray(page.pixel(x, y)) < 60) ++darkPixels;
        QVERIFY(darkPixels > 20);
        for (int y = 0; y < m + 12; ++y)
            QVERIFY(qGray(page.pixel(m + 4, y)) >= 60);
        for (int x = 0; x < page.width(); ++x)
            QVERIFY(qGray(page.pixel(x, m - 2)) >= 250);
        QCOMPARE(At(page, m + 200, m + 20), Fill);
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

    // Lines are printed as lines, not as a picture of pixels; only a fill,
    // which has no shape, is printed as an image, of just the filled pixels.
    void linesArePrintedAsShapesAndFillsAsImages() {
        PicturePrinter printer;
        SetA4(printer);
        Picture picture = SquarePicture();
        QString error;
        QVERIFY(printer.ExportPdf(picture, PathOf("lines.pdf"), error));
        const auto images = [this](const char* name) {
            const QStringList lines =
                RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), PathOf(name)})
                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            return lines.mid(2); // below the two header lines
        };
        QCOMPARE(images("lines.pdf").size(), 0);

        picture.SetBrushColor(MakeColor(0, 160, 0));
        picture.FloodFillBorder(QPoint(550, 550), BlackColor);
        QVERIFY(printer.ExportPdf(picture, PathOf("filled.pdf"), error));
        const QStringList filled = images("filled.pdf");
        QCOMPARE(filled.size(), 1);
        // page, number, type, width, height: the 99 x 99 pixels inside the outline.
        const QStringList columns = filled[0].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(columns.mid(2, 3), (QStringList{"image", "99", "99"}));
        // The rendered page shows the outline and the fill where they belong:
        // the picture's square of 2000 pixels is 248 pixels high at 30 dpi.
        const QImage page = RenderPage(PathOf("filled.pdf"));
        const double scale = page.height() / 2000.0;
        QCOMPARE(At(page, 550 * scale, 550 * scale), QColor(0, 160, 0));
        QCOMPARE(At(page, 700 * scale, 550 * scale), White);
    }

    void pageSizeTextInBothLanguages() {
        PicturePrinter printer;
        SetA4(printer);
        QCOMPARE(printer.PageSizeText(),
                 QStringLiteral("Sayfa boyutu (g x y):\n277 x 190 (mm)\n13099 x 8983 (piksel)"));
        Globals().EnglishInterface = true;
        QVERIFY(LoadLanguageModule());
        printer.SetOrientation(QPageLayout::Portrait);
        const QString english = printer.PageSizeText();
        Globals().EnglishInterface = false;
        QVERIFY(LoadLanguageModule());
        QCOMPARE(english,
                 QStringLiteral("Page size (w x h):\n190 x 277 (mm)\n8983 x 13099 (pixels)"));
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
