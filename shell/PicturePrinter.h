#pragma once
// Prints the turtle's picture on one page: on the chosen printer, into a PDF
// file, or in a print preview; also writes it as an SVG file. The picture is
// painted from its list of what was drawn, so its lines and labels are as
// sharp as the printer's resolution allows (from its pixels when it keeps no
// list). It goes to the top-left corner of the printable page, stretched over
// the whole page with the FitToScreen type and over the largest square of the
// page with the other two types; a footer of two text lines is written over
// it near the top left.
//
// Dialogs (the print dialog and the page-size box) are shown by the caller;
// the preview is the only window this class opens.
#include <QPageLayout>
#include <QPrinter>
#include <QString>

class QPainter;
class QWidget;

namespace mivarelo {

class Picture;

class PicturePrinter {
public:
    enum class PrintType { Proportional, AsItIs, FitToScreen };

    // The document title of every job.
    static constexpr const char* DocumentTitle = "Orpu";
    // A high-resolution printer with the system's default page, landscape,
    // without margins beyond those the printer itself needs; Proportional.
    PicturePrinter();

    QPrinter& Printer() { return printer_; }

    void SetOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation Orientation() const;
    void SetPrintType(PrintType type) { type_ = type; }
    PrintType Type() const { return type_; }

    // The printable page in millimetres and in printer pixels, three lines in
    // the interface language, e.g. "Page size (w x h):\n297 x 210 (mm)\n14033 x 9917 (pixels)".
    QString PageSizeText() const;

    // Prints `picture` on one page of Printer(). False with `error` naming the
    // printer (or its output file) when the job could not begin or failed; a
    // job that failed while the page was drawn is aborted.
    bool Print(const Picture& picture, QString& error);
    // Writes the same page, with Printer()'s page layout, into the PDF file
    // `path`. False with `error` naming the file when it cannot be written.
    bool ExportPdf(const Picture& picture, const QString& path, QString& error);
    // Writes the picture, shape by shape, as an SVG file of its own size or
    // of `area` alone (see SvgWriter); false when the file cannot be written.
    bool ExportSvg(const Picture& picture, const QString& path, const QRect& area = QRect()) const;
    // Shows the same page in the modal print preview of Printer().
    void Preview(const Picture& picture, QWidget* parent);

private:
    // Draws the page on `target`, which has begun no job yet, and ends it.
    bool PrintOn(QPrinter& target, const Picture& picture, QString& error) const;
    // The picture and the footer on the page `target` is painting.
    void DrawPage(QPainter& painter, const QPrinter& target, const Picture& picture) const;

    QPrinter printer_;
    PrintType type_ = PrintType::Proportional;
};

} // namespace mivarelo
