#include "shell/PicturePrinter.h"

#include "core/AtomicFile.h"
#include "core/LanguageIds.h"
#include "engine/DrawingPainter.h"
#include "engine/Picture.h"
#include "engine/SvgWriter.h"
#include "widgets/QtText.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QTemporaryFile>

#include <algorithm>

namespace mivarelo {

namespace {

// Interface texts of printing; the English default stands in when the
// language file lacks the id.
QString Text(int id, const char* english) {
    const QString text = LanguageText(id);
    return text.isEmpty() ? QString::fromUtf8(english) : text;
}

// The footer's size on paper, whatever the printer's resolution.
constexpr double FooterPointSize = 10.0;
constexpr double PageMarginMm = 10.0;
// Where the footer's first line starts, in printer pixels of the page.
constexpr int FooterLeft = 200;
constexpr int FooterTop = 10;

// Where a job of `target` goes, for messages: its output file or its printer.
QString Destination(const QPrinter& target) {
    return target.outputFileName().isEmpty() ? target.printerName() : target.outputFileName();
}

QString BeginError(const QPrinter& target) {
    if (!target.outputFileName().isEmpty())
        return Text(FileNotWrittenId, "The file \"%1\" could not be written.")
            .arg(target.outputFileName());
    return Text(PrinterNotStartedId, "The printer \"%1\" could not start printing.")
        .arg(target.printerName());
}

} // namespace

// A page margin of at least 10 mm keeps the footer off the paper's edge,
// also in a PDF file, whose printer needs no margin at all.
PicturePrinter::PicturePrinter() : printer_(QPrinter::HighResolution) {
    QPageLayout layout = printer_.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    printer_.setPageMargins(
        QMarginsF(std::max(least.left(), PageMarginMm), std::max(least.top(), PageMarginMm),
                  std::max(least.right(), PageMarginMm), std::max(least.bottom(), PageMarginMm)),
        QPageLayout::Millimeter);
    printer_.setPageOrientation(QPageLayout::Landscape);
}

void PicturePrinter::SetOrientation(QPageLayout::Orientation orientation) {
    printer_.setPageOrientation(orientation);
}

QPageLayout::Orientation PicturePrinter::Orientation() const {
    return printer_.pageLayout().orientation();
}

QString PicturePrinter::PageSizeText() const {
    const QRectF millimetres = printer_.pageRect(QPrinter::Millimeter);
    return Text(PageSizeId, "Page size (w x h):") + QLatin1Char('\n') +
           QStringLiteral("%1 x %2 ")
               .arg(millimetres.width(), 0, 'f', 0)
               .arg(millimetres.height(), 0, 'f', 0) +
           Text(MillimetresId, "(mm)") + QLatin1Char('\n') +
           QStringLiteral("%1 x %2 ").arg(printer_.width()).arg(printer_.height()) +
           Text(PixelsId, "(pixels)");
}

bool PicturePrinter::Print(const Picture& picture, QString& error) {
    return PrintOn(printer_, picture, error);
}

// The page is made in a temporary file first and then put in place whole,
// so a failed export leaves an older file at `path` untouched.
bool PicturePrinter::ExportPdf(const Picture& picture, const QString& path, QString& error) {
    QTemporaryFile made(QDir::tempPath() + QStringLiteral("/mivarelo-XXXXXX.pdf"));
    if (!made.open()) {
        error = Text(FileNotWrittenId, "The file \"%1\" could not be written.").arg(path);
        return false;
    }
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(printer_.pageLayout());
    pdf.setOutputFileName(made.fileName());
    if (!PrintOn(pdf, picture, error)) return false;
    const QByteArray page = made.readAll();
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(),
                             std::string_view(page.constData(), page.size()))) {
        error = Text(FileNotWrittenId, "The file \"%1\" could not be written.").arg(path);
        return false;
    }
    return true;
}

bool PicturePrinter::ExportSvg(const Picture& picture, const QString& path,
                               const QRect& area) const {
    return SvgWriter::Save(picture, path, area);
}

void PicturePrinter::Preview(const Picture& picture, QWidget* parent) {
    QPrintPreviewDialog dialog(&printer_, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, &picture](QPrinter* target) {
                         QPainter painter(target);
                         DrawPage(painter, *target, picture);
                     });
    dialog.exec();
}

bool PicturePrinter::PrintOn(QPrinter& target, const Picture& picture, QString& error) const {
    target.setDocName(QString::fromLatin1(DocumentTitle));
    QPainter painter;
    if (!painter.begin(&target)) {
        error = BeginError(target);
        return false;
    }
    DrawPage(painter, target, picture);
    // A printer that failed while the page was sent takes no more of the job.
    const bool failed = target.printerState() == QPrinter::Error;
    if (failed) target.abort();
    if (!painter.end() || failed) {
        error = Text(PrintingFailedId, "Printing on \"%1\" failed; the job was cancelled.")
                    .arg(Destination(target));
        return false;
    }
    return true;
}

void PicturePrinter::DrawPage(QPainter& painter, const QPrinter& target,
                              const Picture& picture) const {
    const int width = target.width();
    const int height = target.height();
    const int side = std::min(width, height);
    const QRect area =
        type_ == PrintType::FitToScreen ? QRect(0, 0, width, height) : QRect(0, 0, side, side);
    // Lines of one pixel would blur and ring under JPEG compression.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    if (picture.KeepsDrawing())
        DrawingPainter::Paint(picture.Drawing(), painter, area);
    else
        painter.drawImage(area, picture.Image());

    // Text takes its colour from the pen; nothing is filled behind it.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    QFont font = painter.font();
    font.setPointSizeF(FooterPointSize);
    painter.setFont(font);
    painter.drawText(QRect(FooterLeft, FooterTop, width - FooterLeft, height - FooterTop),
                     Qt::AlignLeft | Qt::AlignTop,
                     Text(PictureFooterId, "This picture was made with the MIVARELO software.") +
                         QLatin1Char('\n') +
                         Text(PictureCreditId, "Mivarelo: learn Logo by drawing with the turtle."));
}

} // namespace mivarelo
