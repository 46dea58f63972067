#include "engine/TextValues.h"

#include "core/VariableStore.h"
#include "engine/Evaluator.h"
#include "engine/Functions.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

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

// Where the bracket opened at `open` closes; npos when it does not.
std::size_t ClosingBracket(std::string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && --depth == 0) return i;
    }
    return std::string_view::npos;
}

} // namespace

std::string TextWithValues(std::string_view text) {
    std::string shown;
    std::size_t from = 0;
    for (std::size_t open = text.find('('); open != std::string_view::npos;
         open = text.find('(', open + 1)) {
        const std::size_t close = ClosingBracket(text, open);
        if (close == std::string_view::npos) break;
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
