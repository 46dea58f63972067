#include "engine/TextValues.h"

#include "core/VariableStore.h"
#include "engine/Evaluator.h"
#include "engine/Functions.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace mivarelo {

namespace {

bool IsNumberText(const std::string& operand) {
    char* end = nullptr;
    std::strtod(operand.c_str(), &end);
    return end == operand.c_str() + operand.size();
}

// Every operand a number, a function or a variable that exists, and no
// bracket left over: a name that is none of these would read as 0.
bool ReadsAsExpression(std::string_view inside) {
    if (inside.find_first_not_of(' ') == std::string_view::npos) return false;
    for (const PostfixToken& token : PostfixTokens(inside)) {
        if (token.op == '(' || token.op == ')') return false;
        if (token.op != 0) continue;
        const std::string& operand = token.operand;
        if (operand.empty()) return false;
        const auto first = static_cast<unsigned char>(operand.front());
        const bool known = std::isdigit(first) || operand.front() == '.'
                               ? IsNumberText(operand)
                               : FunctionNumber(operand) != 0 || HasVariable(operand) ||
                                     IsRepeatCounterName(operand);
        if (!known) return false;
    }
    return true;
}

// Where each '(' of `text` closes; npos for one that does not.
std::vector<std::size_t> ClosingBrackets(std::string_view text) {
    std::vector<std::size_t> closing(text.size(), std::string_view::npos);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') open.push_back(i);
        if (text[i] == ')' && !open.empty()) {
            closing[open.back()] = i;
            open.pop_back();
        }
    }
    return closing;
}

// A calculation in a label is short; a longer bracket part is text, so that
// a long line of brackets costs no more than its length.
constexpr std::size_t LongestCalculation = 256;

} // namespace

std::string TextWithValues(std::string_view text) {
    if (text.find('(') == std::string_view::npos) return std::string(text);
    const std::vector<std::size_t> closing = ClosingBrackets(text);
    std::string shown;
    std::size_t from = 0;
    for (std::size_t open = text.find('('); open != std::string_view::npos;
         open = text.find('(', open + 1)) {
        const std::size_t close = closing[open];
        if (close == std::string_view::npos || close - open > LongestCalculation) continue;
        const std::string_view inside = text.substr(open + 1, close - open - 1);
        if (!ReadsAsExpression(inside)) continue;
        shown.append(text.substr(from, open - from));
        shown += ShownValue(evaluate(inside));
        from = close + 1;
        open = close;
    }
    shown.append(text.substr(from));
    return shown;
}

std::string ShownValue(double value) {
    if (value == 0) return "0";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

} // namespace mivarelo
