#include "widgets/ProgramHtml.h"

#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/ProcedureStore.h"
#include "widgets/LogoHighlighter.h"
#include "widgets/QtText.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace mivarelo {

namespace {

const char* const PageStyle =
    "body { font-family: sans-serif; font-size: 11pt; margin: 2em; }\n"
    "h1 { color: #16543c; }\n"
    "h2 { color: #16543c; border-bottom: 1px solid #d8cc8c; font-family: monospace; }\n"
    "pre { font-size: 12pt; line-height: 1.35; }\n"
    ".ln { color: #909090; }\n";

// The CSS of the colours, weight and slant the highlighter gave a range.
QString StyleOf(const QTextCharFormat& format) {
    QStringList parts;
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        parts << QStringLiteral("color:") + format.foreground().color().name();
    if (format.fontWeight() == QFont::Bold) parts << QStringLiteral("font-weight:bold");
    if (format.fontItalic()) parts << QStringLiteral("font-style:italic");
    return parts.join(u';');
}

// One editor line: its plain text escaped, each coloured range in a span.
QString LineHtml(const QTextBlock& block) {
    const QString text = block.text();
    QList<QTextLayout::FormatRange> ranges = block.layout()->formats();
    std::ranges::sort(ranges, {}, &QTextLayout::FormatRange::start);
    QString html;
    int done = 0;
    for (const QTextLayout::FormatRange& range : ranges) {
        if (range.start < done) continue;
        html += text.mid(done, range.start - done).toHtmlEscaped();
        const QString piece = text.mid(range.start, range.length).toHtmlEscaped();
        const QString style = StyleOf(range.format);
        html += style.isEmpty() ? piece
                                : QStringLiteral("<span style=\"%1\">%2</span>").arg(style, piece);
        done = range.start + range.length;
    }
    return html + text.mid(done).toHtmlEscaped();
}

// The body coloured as the editor colours it, one numbered line per row;
// the numbers are right-aligned to the widest of them.
QString BodyHtml(const ProcedureStore& store, int index) {
    std::string body = store.GetBody(index);
    if (!body.empty() && body.back() == '\n') body.pop_back();
    QTextDocument document;
    document.setPlainText(ToQt(body));
    LogoHighlighter highlighter(&document, &store);
    highlighter.rehighlight();
    const int width = static_cast<int>(QString::number(document.blockCount()).size());
    QString html = QStringLiteral("<pre>\n");
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        html += QStringLiteral("<span class=\"ln\">%1</span>  %2\n")
                    .arg(block.blockNumber() + 1, width)
                    .arg(LineHtml(block));
    return html + QStringLiteral("</pre>\n");
}

} // namespace

QString ProgramHtml(const ProcedureStore& store, const QString& title, const QStringList& errors) {
    const QString heading = title.toHtmlEscaped();
    const QString language =
        Globals().EnglishInterface ? QStringLiteral("en") : QStringLiteral("tr");
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"%3\">\n<head>\n"
                       "<meta charset=\"utf-8\">\n<title>%1</title>\n<style>\n%2</style>\n"
                       "</head>\n<body>\n<h1>%1</h1>\n")
            .arg(heading, QString::fromLatin1(PageStyle), language);
    for (int i = 0; i < store.ProcedureCount(); ++i) {
        html += QStringLiteral("<h2>%1</h2>\n").arg(ToQt(store.GetHeader(i)).toHtmlEscaped());
        html += BodyHtml(store, i);
    }
    if (!errors.isEmpty()) {
        html += QStringLiteral("<h2>%1</h2>\n<ul>\n").arg(LanguageText(ErrorsHeadingId));
        for (const QString& error : errors)
            html += QStringLiteral("<li>%1</li>\n").arg(error.toHtmlEscaped());
        html += QStringLiteral("</ul>\n");
    }
    return html + QStringLiteral("</body>\n</html>\n");
}

} // namespace mivarelo
