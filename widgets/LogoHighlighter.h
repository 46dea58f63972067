#pragma once
// Colours Logo text as it is typed: procedure names red, keywords dark red
// and bold, punctuation blue (the word classes of the command window's
// echo), numbers, variables (":size") and comments in calm colours of their
// own. Keywords of all four dialects are recognised.
#include <QColor>
#include <QSyntaxHighlighter>

#include <string>

namespace mivarelo {

class ProcedureStore;

class LogoHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // `store` (may be null) names the procedures to colour.
    LogoHighlighter(QTextDocument* document, const ProcedureStore* store);

    // Colours by the procedures of `store` from now on, and colours the
    // whole text anew.
    void SetStore(const ProcedureStore* store);

    // Longer lines, and every line of a longer text, are not coloured.
    static constexpr int LongLineLimit = 4000;
    static constexpr int LargeTextLimit = 1'000'000;

    static QColor NumberColor() { return QColor(0x1f, 0x7a, 0x6e); }
    static QColor VariableColor() { return QColor(0x7b, 0x3f, 0xa0); }
    static QColor CommentColor() { return QColor(0x80, 0x80, 0x80); }

protected:
    void highlightBlock(const QString& text) override;

private:
    void HighlightWord(int start, const std::string& word);

    const ProcedureStore* store_;
};

} // namespace mivarelo
