#pragma once
// What leaves the program other than its own file: the picture printed,
// previewed or exported (PNG, SVG, PDF; the drawn part or the whole), and
// the program as an HTML page or on paper.
#include "shell/PicturePrinter.h"

#include <QObject>
#include <QRect>

class QWidget;

namespace mivarelo {

class ErrorNavigator;
class LogoEngine;
class MainActions;
class ProcedureEditor;
class ProgramDocument;

class DocumentExports : public QObject {
    Q_OBJECT
public:
    // The print preview opens over `previewParent`.
    DocumentExports(LogoEngine& engine, ProgramDocument& document, ProcedureEditor& procedures,
                    const ErrorNavigator& errors, QWidget* previewParent);

    void ConnectActions(const MainActions& actions);
    PicturePrinter& Printer() { return printer_; }
    void PrintPicture();

signals:
    // A file was saved; `message` says where.
    void Saved(const QString& message);

private:
    void PrintPreview();
    // The picture as PNG pixels or as SVG shapes, the drawn part with a
    // margin or the whole picture, as the chosen filter says.
    void ExportPicture(bool svg);
    // The painted pixels with a margin; the whole picture when nothing is drawn.
    QRect DrawnPart() const;
    void ExportPdf();
    void ExportProgramHtml();
    void PrintProgram();

    LogoEngine& engine_;
    ProgramDocument& document_;
    ProcedureEditor& procedures_;
    const ErrorNavigator& errors_;
    QWidget* previewParent_;
    PicturePrinter printer_;
};

} // namespace mivarelo
