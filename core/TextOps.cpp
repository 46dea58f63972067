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

} // namespace mivarelo
