#include "widgets/LogoHighlighter.h"

#include "core/Translation.h"
#include "widgets/QtText.h"

#include <QTextCharFormat>

#include <string_view>

namespace mivarelo {

namespace {

// The characters that end a word: those of the command window's echo, tab,
// and the operators of expressions and conditions.
constexpr std::string_view Separators = " \t\r\n()+,-;[]{}*/=<>^%";

bool IsSeparator(char c) {
    return Separators.find(c) != std::string_view::npos;
}

// Core colours keep red in the low byte.
QColor FromColorValue(std::uint32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QTextCharFormat Foreground(const QColor& colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    return format;
}

bool IsNumber(const std::string& word) {
    bool digit = false;
    bool point = false;
    for (const char c : word) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// The block as Windows-1254 bytes, one byte per character, so that byte
// offsets are character offsets. A character that takes two UTF-16 units
// would shift them; then every unit is converted on its own.
std::string Cp1254Of(const QString& text) {
    std::string bytes = FromQt(text);
    if (bytes.size() == static_cast<std::size_t>(text.size())) return bytes;
    bytes.clear();
    for (const QChar c : text) {
        const std::string one = c.isSurrogate() ? std::string() : FromQt(QString(c));
        bytes += one.size() == 1 ? one.front() : '?';
    }
    return bytes;
}

} // namespace

LogoHighlighter::LogoHighlighter(QTextDocument* document, const ProcedureStore* store)
    : QSyntaxHighlighter(document), store_(store) {}

void LogoHighlighter::SetStore(const ProcedureStore* store) {
    store_ = store;
    rehighlight();
}

// A line whose first non-blank character is ';' is skipped when it runs, and
// an apostrophe starts a comment that runs to the end of the line: both are
// shown as comments. The rest is cut into words and separators.
// A line of thousands of characters, or a procedure of megabytes, is data
// rather than a program a learner reads: it stays uncoloured, so that it
// shows at once instead of being coloured letter by letter.
void LogoHighlighter::highlightBlock(const QString& text) {
    if (text.size() > LongLineLimit || document()->characterCount() > LargeTextLimit) return;
    const std::string line = Cp1254Of(text);
    std::size_t end = line.size();
    QTextCharFormat comment = Foreground(CommentColor());
    comment.setFontItalic(true);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == ';') {
        setFormat(static_cast<int>(first), static_cast<int>(end - first), comment);
        return;
    }
    const std::size_t apostrophe = line.find('\'');
    if (apostrophe != std::string::npos) {
        setFormat(static_cast<int>(apostrophe), static_cast<int>(end - apostrophe), comment);
        end = apostrophe;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i <= end; ++i) {
        if (i < end && !IsSeparator(line[i])) continue;
        if (i > start) HighlightWord(static_cast<int>(start), line.substr(start, i - start));
        if (i < end) {
            const std::uint32_t colour = PunctuationColor(line[i]);
            if (colour != PlainColor)
                setFormat(static_cast<int>(i), 1, Foreground(FromColorValue(colour)));
        }
        start = i + 1;
    }
}

void LogoHighlighter::HighlightWord(int start, const std::string& word) {
    const int length = static_cast<int>(word.size());
    if (IsNumber(word)) {
        setFormat(start, length, NumberColor());
        return;
    }
    if (word.size() > 1 && word.front() == ':') {
        setFormat(start, length, VariableColor());
        return;
    }
    const std::uint32_t colour = ClassifyWord(word, store_);
    if (colour == PlainColor) return;
    QTextCharFormat format = Foreground(FromColorValue(colour));
    if (colour == KeywordColor) format.setFontWeight(QFont::Bold);
    setFormat(start, length, format);
}

} // namespace mivarelo
