#include "shell/DocumentExports.h"

#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "engine/LogoEngine.h"
#include "shell/DrawingZoom.h"
#include "shell/ErrorNavigator.h"
#include "shell/MainActions.h"
#include "shell/ProcedureEditor.h"
#include "shell/ProgramDocument.h"
#include "widgets/Dialogs.h"
#include "widgets/ProgramHtml.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>
#include <QWidget>

namespace mivarelo {

DocumentExports::DocumentExports(LogoEngine& engine, ProgramDocument& document,
                                 ProcedureEditor& procedures, const ErrorNavigator& errors,
                                 QWidget* previewParent)
    : QObject(previewParent), engine_(engine), document_(document), procedures_(procedures),
      errors_(errors), previewParent_(previewParent) {}

void DocumentExports::ConnectActions(const MainActions& a) {
    connect(a.LandscapeAction, &QAction::triggered, this,
            [this] { printer_.SetOrientation(QPageLayout::Landscape); });
    connect(a.PortraitAction, &QAction::triggered, this,
            [this] { printer_.SetOrientation(QPageLayout::Portrait); });
    connect(a.ProportionalAction, &QAction::triggered, this,
            [this] { printer_.SetPrintType(PicturePrinter::PrintType::Proportional); });
    connect(a.AsItIsAction, &QAction::triggered, this,
            [this] { printer_.SetPrintType(PicturePrinter::PrintType::AsItIs); });
    connect(a.FitToPageAction, &QAction::triggered, this,
            [this] { printer_.SetPrintType(PicturePrinter::PrintType::FitToScreen); });
    connect(a.PrintPictureAction, &QAction::triggered, this, &DocumentExports::PrintPicture);
    connect(a.PrintPreviewAction, &QAction::triggered, this, &DocumentExports::PrintPreview);
    connect(a.ExportPngAction, &QAction::triggered, this, [this] { ExportPicture(false); });
    connect(a.ExportSvgAction, &QAction::triggered, this, [this] { ExportPicture(true); });
    connect(a.ExportPdfAction, &QAction::triggered, this, &DocumentExports::ExportPdf);
    connect(a.ExportHtmlAction, &QAction::triggered, this, &DocumentExports::ExportProgramHtml);
    connect(a.PrintProgramAction, &QAction::triggered, this, &DocumentExports::PrintProgram);
}

void DocumentExports::PrintPicture() {
    CurrentDialogs().ShowMessage(printer_.PageSizeText(), QStringLiteral("Mivarelo"));
    if (!CurrentDialogs().ConfirmPrint(printer_.Printer())) return;
    QString error;
    if (!printer_.Print(engine_.Screen().Surface(), error))
        CurrentDialogs().ShowMessage(LanguageText(CouldNotPrintId) + "\n" + error,
                                     LanguageText(ErrorCaptionId));
}

void DocumentExports::PrintPreview() {
    printer_.Preview(engine_.Screen().Surface(), previewParent_);
}

// The picture as PNG pixels or as SVG shapes, the drawn part with a margin
// or the whole picture as the chosen filter says; the status bar says where
// the file went.
void DocumentExports::ExportPicture(bool svg) {
    int chosen = 1;
    QString path = CurrentDialogs().ChooseSaveFile(
        LanguageText(svg ? ExportSvgId : ExportPngId), document_.LastFolder(),
        {LanguageText(svg ? SvgDrawnPartFilterId : PngDrawnPartFilterId),
         LanguageText(svg ? SvgWholePictureFilterId : PngWholePictureFilterId)},
        &chosen);
    if (path.isEmpty()) return;
    path = ProgramDocument::WithExtension(path, svg ? ".svg" : ".png");
    document_.RememberFolder(path);
    const Picture& picture = engine_.Screen().Surface();
    const QRect area = chosen == 2 ? QRect() : DrawnPart();
    const bool saved = svg ? printer_.ExportSvg(picture, path, area)
                           : document_.WritePicture(path, ProgramDocument::PngKind, area);
    if (!saved) {
        if (svg) document_.ShowFileError(CouldNotSaveFileId, path, CannotBeWrittenId);
        return;
    }
    emit Saved(LanguageText(PictureSavedId).arg(QDir::toNativeSeparators(path)));
}

// The painted pixels with a margin; the whole picture when nothing is drawn.
QRect DocumentExports::DrawnPart() const {
    const QRect box = DrawingZoom::PaintedBox(engine_.Screen());
    return box.isNull() ? QRect(0, 0, Globals().ScreenWidth, Globals().ScreenHeight)
                        : DrawingZoom::WithMargin(box);
}

void DocumentExports::ExportPdf() {
    QString path =
        CurrentDialogs().ChooseSaveFile(LanguageText(ExportPdfId), document_.LastFolder(),
                                        {QStringLiteral("PDF (*.pdf)")}, nullptr);
    if (path.isEmpty()) return;
    path = ProgramDocument::WithExtension(path, ".pdf");
    document_.RememberFolder(path);
    QString error;
    if (!printer_.ExportPdf(engine_.Screen().Surface(), path, error))
        CurrentDialogs().ShowMessage(LanguageText(CouldNotPrintId) + "\n" + error,
                                     LanguageText(ErrorCaptionId));
}

void DocumentExports::ExportProgramHtml() {
    procedures_.StoreEditorIntoProcedure();
    QString path = CurrentDialogs().ChooseSaveFile(
        LanguageText(ExportHtmlId), document_.LastFolder(),
        {LanguageText(HtmlPageFilterId) + QStringLiteral(" (*.html *.htm)")}, nullptr);
    if (path.isEmpty()) return;
    path = ProgramDocument::WithExtension(path, ".html");
    document_.RememberFolder(path);
    const QString page =
        ProgramHtml(engine_.Procedures(), QFileInfo(path).completeBaseName(), errors_.Entries());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page.toUtf8()) < 0 || !file.commit())
        document_.ShowFileError(CouldNotSaveFileId, path, CannotBeWrittenId);
}

// The same page as the HTML export, laid out on the printer's pages.
void DocumentExports::PrintProgram() {
    procedures_.StoreEditorIntoProcedure();
    QPrinter& printer = printer_.Printer();
    if (!CurrentDialogs().ConfirmPrint(printer)) return;
    QTextDocument document;
    document.setHtml(
        ProgramHtml(engine_.Procedures(), QStringLiteral("Mivarelo"), errors_.Entries()));
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        CurrentDialogs().ShowMessage(LanguageText(CouldNotPrintId), LanguageText(ErrorCaptionId));
}

} // namespace mivarelo
