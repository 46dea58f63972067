#include "core/TextOps.h"

namespace mivarelo {

// Only the first occurrence of op's first character is tried: an operator
// that does not stand there is taken as absent.
bool SplitAtOperator(std::string_view text, std::string_view op, std::string& left,
                     std::string& right) {
    left.clear();
    right.clear();
    if (op.empty() || text.empty()) return false;
    const std::size_t at = text.find(op.front());
    if (at == std::string_view::npos) return false;
    if (text.substr(at, op.size()) != op) return false;
    const std::string_view after = text.substr(at + op.size());
    if (after.empty()) return false;
    left.assign(text.substr(0, at));
    right.assign(after);
    return true;
}

bool ReplaceAll(std::string& text, std::string_view search, std::string_view replacement) {
    if (text.empty() || search.empty()) return false;
    std::size_t hit = text.find(search);
    if (hit == std::string::npos) return false;
    std::string result;
    std::size_t start = 0;
    for (; hit != std::string::npos; hit = text.find(search, start)) {
        result.append(text, start, hit - start);
        result += replacement;
        start = hit + search.size();
    }
    result.append(text, start, std::string::npos);
    text = std::move(result);
    return true;
}

bool IsWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_')
        return true;
    if (u >= 0xC0) return u != 0xD7 && u != 0xF7;
    return u == 0x8A || u == 0x8C || u == 0x9A || u == 0x9C || u == 0x9F;
}

// The boundaries are judged in the original text, so a replacement never
// decides whether the next occurrence is a whole word.
bool ReplaceWholeWords(std::string& text, std::string_view word, std::string_view replacement) {
    if (text.empty() || word.empty()) return false;
    std::string result;
    std::size_t start = 0;
    bool replaced = false;
    for (std::size_t hit = text.find(word); hit != std::string::npos;
         hit = text.find(word, hit + 1)) {
        const std::size_t end = hit + word.size();
        const bool wholeWord = (hit == 0 || !IsWordChar(text[hit - 1])) &&
                               (end == text.size() || !IsWordChar(text[end]));
        if (!wholeWord || hit < start) continue;
        result.append(text, start, hit - start);
        result += replacement;
        start = end;
        replaced = true;
    }
    if (!replaced) return false;
    result.append(text, start, std::string::npos);
    text = std::move(result);
    return true;
}

} // namespace mivarelo
