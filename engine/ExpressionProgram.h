#pragma once
// An expression analysed once and then evaluated as often as needed: its
// postfix tokens become a small program over numbers (constants, variable
// reads, negations, operations and functions), so that an evaluation
// involves no text at all. The value is always exactly that of `evaluate`
// on the text: every operation's result is rounded as the text stack rounds
// it (a 32-bit float written with three decimals and read back), and a
// failure makes the whole expression 0.
//
// Token sequences that the program does not cover (an operator short of
// operands, a stray bracket, a function applied to anything but its own
// name, operands left over at the end, a very deep stack, a number too long
// to read safely) keep their text and are handed to `evaluate` each time.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

class ExpressionProgram {
public:
    // The empty expression, whose value is 0.
    ExpressionProgram() = default;
    explicit ExpressionProgram(std::string_view text);

    double Evaluate() const;
    // False when the expression is left to the text evaluator.
    bool Analysed() const { return analysed_; }

    // The deepest operand stack a program may use.
    static constexpr std::size_t MaxDepth = 32;

private:
    enum class Code : std::uint8_t {
        Number,
        Variable,
        Negate,
        Add,
        Subtract,
        Multiply,
        Divide,
        Power,
        Divides,
        Apply,
    };
    struct Instruction {
        Code code = Code::Number;
        int argument = 0; // the name's index for Variable, the function for Apply
        double number = 0;
    };

    bool Analyse(std::string_view text);
    double Run() const;

    std::vector<Instruction> program_;
    std::vector<std::string> names_;
    std::string text_;
    bool analysed_ = true;
};

} // namespace mivarelo
