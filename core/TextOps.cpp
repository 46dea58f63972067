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
    std::string result;
    result.reserve(text.size());
    bool replaced = false;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.size() - i >= search.size() && text.compare(i, search.size(), search) == 0) {
            result += replacement;
            i += search.size();
            replaced = true;
        } else {
            result += text[i++];
        }
    }
    text = std::move(result);
    return replaced;
}

} // namespace mivarelo
