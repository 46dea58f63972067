#include "core/ClassicTokens.h"

#include <cstdlib>

namespace mivarelo {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDelimiter(char c) {
    return IsSpace(c) || c == '[' || c == ']' || c == '(' || c == ')' || c == '+' || c == '-' ||
           c == '*' || c == '/' || c == '=' || c == '<' || c == '>';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A comment runs from ';' to the end of the physical line.
std::string WithoutComment(std::string_view line) {
    const std::size_t semicolon = line.find(';');
    return std::string(semicolon == std::string_view::npos ? line : line.substr(0, semicolon));
}

int BracketBalance(std::string_view text) {
    int depth = 0;
    for (char c : text)
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
    return depth;
}

class Tokenizer {
public:
    Tokenizer(std::string_view text, int line) : text_(text), line_(line) {}

    std::vector<ClassicToken> Run() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') ++line_;
            if (IsSpace(c)) {
                ++pos_;
                continue;
            }
            ReadToken(c);
        }
        return std::move(tokens_);
    }

private:
    void Push(ClassicToken::Kind kind, std::string text) {
        tokens_.push_back({kind, std::move(text), line_});
    }

    // A '-' right after a blank, a bracket or an operator and right before a
    // non-blank makes its operand negative ("fd -10", "walk 30 -40"); any
    // other '-' subtracts ("10 - 5", ":a-1").
    bool IsNegation() const {
        const bool before = pos_ == 0 || IsSpace(text_[pos_ - 1]) || text_[pos_ - 1] == '[' ||
                            text_[pos_ - 1] == '(' || Previous(ClassicToken::Operator) ||
                            Previous(ClassicToken::Negate) || tokens_.empty();
        const bool after = pos_ + 1 < text_.size() && !IsSpace(text_[pos_ + 1]);
        return before && after;
    }

    bool Previous(ClassicToken::Kind kind) const {
        return !tokens_.empty() && tokens_.back().kind == kind;
    }

    void ReadToken(char c) {
        if (c == '[' || c == ']' || c == '(' || c == ')') {
            static const ClassicToken::Kind kinds[] = {ClassicToken::Open, ClassicToken::Close,
                                                       ClassicToken::LeftParen,
                                                       ClassicToken::RightParen};
            Push(kinds[c == '[' ? 0 : c == ']' ? 1 : c == '(' ? 2 : 3], std::string(1, c));
            ++pos_;
        } else if (c == '-' && IsNegation()) {
            Push(ClassicToken::Negate, "-");
            ++pos_;
        } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '=') {
            Push(ClassicToken::Operator, std::string(1, c));
            ++pos_;
        } else if (c == '<' || c == '>') {
            ReadComparison(c);
        } else if (c == '"') {
            ++pos_;
            Push(ClassicToken::Quoted, ReadQuoted());
        } else if (c == ':') {
            ++pos_;
            Push(ClassicToken::Variable, ReadWord());
        } else {
            const std::string word = ReadWord();
            Push(IsNumber(word) ? ClassicToken::Number : ClassicToken::Word, word);
        }
    }

    void ReadComparison(char c) {
        std::string op(1, c);
        ++pos_;
        const char next = pos_ < text_.size() ? text_[pos_] : '\0';
        if (next == '=' || (c == '<' && next == '>')) {
            op += next;
            ++pos_;
        }
        Push(ClassicToken::Operator, op);
    }

    // A quoted word ends at a blank or a bracket only.
    std::string ReadQuoted() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '[' &&
               text_[pos_] != ']' && text_[pos_] != '(' && text_[pos_] != ')')
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    // A number may hold a decimal point and an exponent ("1.5e3").
    std::string ReadWord() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsDelimiter(text_[pos_])) {
            const bool exponentSign = pos_ > start &&
                                      (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E') &&
                                      IsDigit(text_[start]);
            ++pos_;
            if (exponentSign && pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
                ++pos_;
        }
        if (pos_ == start) ++pos_; // a character that starts no token is skipped
        return std::string(text_.substr(start, pos_ - start));
    }

    static bool IsNumber(const std::string& word) {
        if (word.empty() || !(IsDigit(word[0]) || (word[0] == '.' && word.size() > 1)))
            return false;
        char* end = nullptr;
        std::strtod(word.c_str(), &end);
        return end == word.c_str() + word.size();
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_;
    std::vector<ClassicToken> tokens_;
};

std::vector<std::string> PhysicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            if (start < text.size()) lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsSpace(text[first]))
        ++first;
    while (last > first && IsSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool EndsWithTilde(const std::string& line) {
    std::size_t end = line.size();
    while (end > 0 && IsSpace(line[end - 1]))
        --end;
    return end > 0 && line[end - 1] == '~';
}

} // namespace

std::vector<ClassicLine> ReadClassicLines(std::string_view text, ConversionReport& report) {
    const std::vector<std::string> lines = PhysicalLines(text);
    std::vector<ClassicLine> result;
    std::size_t k = 0;
    while (k < lines.size()) {
        const int first = static_cast<int>(k) + 1;
        std::string joined = WithoutComment(lines[k]);
        // A list spread over several lines, or a line continued with '~'.
        while (k + 1 < lines.size() && (BracketBalance(joined) > 0 || EndsWithTilde(joined))) {
            if (EndsWithTilde(joined)) joined.erase(joined.rfind('~'), 1);
            joined += "\n" + WithoutComment(lines[++k]);
        }
        ++k;
        if (BracketBalance(joined) > 0) {
            report.Drop(first, Trimmed(WithoutComment(lines[first - 1])), UnbalancedBracketsText);
            continue;
        }
        std::vector<ClassicToken> tokens = Tokenizer(joined, first).Run();
        if (!tokens.empty()) result.push_back({first, std::move(tokens)});
    }
    return result;
}

std::string TokensText(std::span<const ClassicToken> tokens, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t k = first; k < last && k < tokens.size(); ++k) {
        const ClassicToken& t = tokens[k];
        if (!text.empty()) text += ' ';
        text += t.kind == ClassicToken::Variable ? ":" + t.text
                : t.kind == ClassicToken::Quoted ? "\"" + t.text
                                                 : t.text;
    }
    return text;
}

std::string FoldCase(std::string_view word) {
    std::string folded(word);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

} // namespace mivarelo
