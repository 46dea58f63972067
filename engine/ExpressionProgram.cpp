#include "engine/ExpressionProgram.h"

#include "core/GlobalSettings.h"
#include "core/Numbers.h"
#include "core/VariableStore.h"
#include "engine/Evaluator.h"
#include "engine/Functions.h"

#include <array>
#include <cmath>

namespace mivarelo {

namespace {

// Longer number texts are left to the text evaluator, which reports numbers
// too large to read each time it meets them.
constexpr std::size_t LongestNumber = 30;

// A computed result as the text stack keeps it: a 32-bit float written with
// three decimals, read back when it is used (with the precise turtle on, the
// double itself). A whole float reads back as itself. False when the result
// is infinite or undefined, which fails the expression.
bool Rounded(double result, double& value) {
    if (Globals().PreciseTurtle) {
        value = result;
        return std::isfinite(result);
    }
    const auto stored = static_cast<float>(result);
    if (!std::isfinite(stored)) return false;
    value = std::trunc(stored) == stored ? stored : TextToFloat(FloatToText(stored, 3));
    return true;
}

} // namespace

ExpressionProgram::ExpressionProgram(std::string_view text) {
    analysed_ = Analyse(text);
    if (!analysed_) {
        program_.clear();
        names_.clear();
        text_ = std::string(text);
    }
}

// Follows the text evaluation token by token with a stack of what each
// operand is. A function's name is an operand of the text stack but no value:
// its read is taken out of the program again when the function applies.
bool ExpressionProgram::Analyse(std::string_view text) {
    struct Operand {
        std::size_t instruction = 0;
        int function = 0; // the function an unsigned name names, else 0
    };
    std::vector<Operand> stack;
    for (PostfixToken& token : PostfixTokens(text)) {
        if (token.op == 0) {
            Operand operand{program_.size(), 0};
            if (IsNameChar(token.operand.front())) {
                operand.function = FunctionNumber(token.operand);
                program_.push_back({Code::Variable, static_cast<int>(names_.size()), 0});
                names_.push_back(std::move(token.operand));
            } else {
                if (token.operand.size() > LongestNumber) return false;
                program_.push_back({Code::Number, 0, TextToFloat(token.operand)});
            }
            stack.push_back(operand);
            if (stack.size() > MaxDepth) return false;
            continue;
        }
        if (token.op == NegateOperator) {
            if (stack.empty()) return false;
            program_.push_back({Code::Negate, 0, 0});
            stack.back().function = 0;
            continue;
        }
        Code code = Code::Add;
        switch (token.op) {
        case '+': code = Code::Add; break;
        case '-': code = Code::Subtract; break;
        case '*': code = Code::Multiply; break;
        case '/': code = Code::Divide; break;
        case '^': code = Code::Power; break;
        case '%': code = Code::Divides; break;
        case ApplyOperator: code = Code::Apply; break;
        default: return false;
        }
        if (stack.size() < 2) return false;
        stack.pop_back();
        const Operand left = stack.back();
        stack.pop_back();
        if (code == Code::Apply) {
            if (left.function == 0) return false;
            program_.erase(program_.begin() + static_cast<std::ptrdiff_t>(left.instruction));
            program_.push_back({Code::Apply, left.function, 0});
        } else {
            program_.push_back({code, 0, 0});
        }
        stack.push_back({program_.size() - 1, 0});
    }
    return stack.size() <= 1;
}

double ExpressionProgram::Evaluate() const {
    return analysed_ ? Run() : evaluate(text_);
}

double ExpressionProgram::Run() const {
    std::array<double, MaxDepth> stack;
    std::size_t depth = 0;
    for (const Instruction& instruction : program_) {
        switch (instruction.code) {
        case Code::Number: stack[depth++] = instruction.number; continue;
        case Code::Variable:
            stack[depth++] = GetVariable(names_[static_cast<std::size_t>(instruction.argument)]);
            continue;
        case Code::Negate: stack[depth - 1] = -stack[depth - 1]; continue;
        case Code::Apply: {
            bool failed = false;
            const double result = ApplyFunction(instruction.argument, stack[depth - 1], failed);
            if (failed || !Rounded(result, stack[depth - 1])) return 0;
            continue;
        }
        default: break;
        }
        const double right = stack[--depth];
        const double left = stack[depth - 1];
        double result = 0;
        switch (instruction.code) {
        case Code::Add: result = left + right; break;
        case Code::Subtract: result = left - right; break;
        case Code::Multiply: result = left * right; break;
        case Code::Divide:
            if (right == 0) return 0;
            result = left / right;
            break;
        case Code::Power: result = std::pow(left, right); break;
        case Code::Divides:
            result = right != 0 && std::trunc(left / right) * right == left ? 1 : 0;
            break;
        default: break;
        }
        if (!Rounded(result, stack[depth - 1])) return 0;
    }
    if (depth == 0) return 0;
    return std::isfinite(stack[0]) ? stack[0] : 0;
}

} // namespace mivarelo
