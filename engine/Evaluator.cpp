#include "engine/Evaluator.h"

#include "core/ExpressionHook.h"
#include "core/GlobalSettings.h"
#include "core/Numbers.h"
#include "core/VariableStore.h"
#include "engine/Functions.h"
#include "engine/TextStack.h"

#include <cmath>
#include <exception>
#include <string>

// The evaluation runs in three passes: the text is cut into tokens, the
// tokens are put into postfix order with an operator-precedence stack, and
// the postfix tokens are evaluated on a stack of operand texts. Each pass
// reads its input once from left to right, so the passes are chained: every
// token goes on to the next pass as soon as it is ready, and no token list
// is built in between.

namespace mivarelo {

namespace {

constexpr char Apply = ApplyOperator;
constexpr char Negate = NegateOperator;

// ---- evaluation of postfix tokens ----

// The value of an operand: a signed number or variable.
double OperandValue(std::string_view token) {
    if (token.empty()) return 0;
    double sign = 1;
    if (token.front() == '-' || token.front() == '+') {
        sign = token.front() == '-' ? -1 : 1;
        token.remove_prefix(1);
    }
    if (token.empty()) return 0;
    if (IsNameChar(token.front())) return sign * GetVariable(token);
    return sign * TextToFloat(token);
}

// Evaluates postfix tokens on a stack of operand texts. Every computed
// result goes back onto the stack as a 32-bit float with three decimals
// (with the precise turtle on, as the double it is).
// After a failure (division by zero, a function's domain failure) the rest
// is ignored and the result is 0.
class PostfixEvaluation {
public:
    void Operand(std::string&& token);
    void Operator(char op);
    double Result();

private:
    void Negative();
    double Compute(char op, const std::string& left, const std::string& right);
    std::string KeptText(double result);

    TextStack operands_;
    double lastResult_ = 0;
    bool operated_ = false;
    bool failed_ = false;
};

void PostfixEvaluation::Operand(std::string&& token) {
    if (!failed_) operands_.Push(std::move(token));
}

// A lone right operand under '-' or '+' takes the sign; under any other
// operator it is dropped. A result that does not fit a 32-bit float (or is
// undefined) is a failure: as text it would read "inf" or "nan", which the
// next operation would take for a variable's name.
void PostfixEvaluation::Operator(char op) {
    if (failed_) return;
    if (op == Negate) return Negative();
    std::optional<std::string> right = operands_.Pop();
    std::optional<std::string> left = operands_.Pop();
    if (right && left) {
        lastResult_ = Compute(op, *left, *right);
        operated_ = true;
        operands_.Push(KeptText(lastResult_));
    } else if (right && (op == '-' || op == '+')) {
        right->insert(right->begin(), op);
        operands_.Push(std::move(*right));
    }
}

// With the precise turtle on the result keeps every digit of the double.
std::string PostfixEvaluation::KeptText(double result) {
    if (Globals().PreciseTurtle) {
        if (!std::isfinite(result)) failed_ = true;
        char buffer[FloatTextRoom];
        return std::string(DoubleText(result, buffer));
    }
    const auto stored = static_cast<float>(result);
    if (!std::isfinite(stored)) failed_ = true;
    return FloatToText(stored, 3);
}

// Negating writes a sign in front of the operand's text, so a plain number
// or variable keeps all its digits (no rounding as for a computed result). A
// sign already there is flipped in place ('+' reads as no sign), so a long
// run of negations costs no more than the operand's length once. Without an
// operand there is nothing to negate.
void PostfixEvaluation::Negative() {
    std::optional<std::string> operand = operands_.Pop();
    if (!operand) return;
    if (operand->empty() || (operand->front() != '-' && operand->front() != '+'))
        operand->insert(operand->begin(), '-');
    else
        operand->front() = operand->front() == '-' ? '+' : '-';
    operands_.Push(std::move(*operand));
}

double PostfixEvaluation::Compute(char op, const std::string& left, const std::string& right) {
    if (op == Apply) return ApplyFunctionByName(left, OperandValue(right), failed_);
    const double l = OperandValue(left);
    const double r = OperandValue(right);
    switch (op) {
    case '+': return l + r;
    case '-': return l - r;
    case '*': return l * r;
    case '/':
        if (r == 0) failed_ = true;
        return failed_ ? 0 : l / r;
    case '^': return std::pow(l, r);
    case '%': return r != 0 && std::trunc(l / r) * r == l ? 1 : 0;
    default: return 0;
    }
}

// Once an operation has emptied the stack, its unrounded result stands.
// Otherwise what is left on top decides: a single operand, or a signed
// function name beside its argument.
double PostfixEvaluation::Result() {
    if (failed_) return 0;
    if (operated_ && operands_.IsEmpty()) return lastResult_;
    std::optional<std::string> right = operands_.Pop();
    std::optional<std::string> left = operands_.Pop();
    if (!right) return 0;
    if (!left) return OperandValue(*right);
    std::string_view name = *left;
    if (name.empty()) return 0;
    double sign = 1;
    if (name.front() == '-' || name.front() == '+') {
        sign = name.front() == '-' ? -1 : 1;
        name.remove_prefix(1);
    }
    if (name.empty() || FunctionNumber(name) == 0) return 0;
    const double value = sign * ApplyFunctionByName(name, OperandValue(*right), failed_);
    return failed_ ? 0 : value;
}

// ---- ordering: infix to postfix ----

// Whether the operator on top of the stack leaves before the incoming one.
// Precedence from high to low: application, '^', negation, '*' '/', '%',
// '+' '-'; all binary operators but '^' associate to the left. Negation is a
// prefix: its operand is still to come when it arrives, so it moves nothing.
bool PopsBefore(char top, char incoming) {
    if (top == '(' || incoming == '(' || incoming == Negate) return false;
    if (incoming == ')') return true;
    if (top == Apply) return incoming != Apply;
    if (incoming == Apply) return false;
    switch (top) {
    case '^':
    case Negate: return incoming != '^';
    case '*':
    case '/': return incoming != '^';
    case '%': return incoming == '%' || incoming == '+' || incoming == '-';
    case '+':
    case '-': return incoming == '+' || incoming == '-';
    default: return false;
    }
}

// Puts infix tokens into postfix order with an operator-precedence stack.
// Operators are single characters, so the stack is a text.
template <class Out> class Ordering {
public:
    explicit Ordering(Out& out) : out_(out) {}
    void Operand(std::string&& token) { out_.Operand(std::move(token)); }
    void Operator(char op);
    void Finish();

private:
    Out& out_;
    std::string stack_;
};

// A ')' drops the '(' it meets; a ')' that meets an empty stack is pushed
// and later reaches the evaluation as a stray operator.
template <class Out> void Ordering<Out>::Operator(char op) {
    while (!stack_.empty() && PopsBefore(stack_.back(), op)) {
        out_.Operator(stack_.back());
        stack_.pop_back();
    }
    if (!stack_.empty() && op == ')')
        stack_.pop_back();
    else
        stack_.push_back(op);
}

template <class Out> void Ordering<Out>::Finish() {
    while (!stack_.empty()) {
        out_.Operator(stack_.back());
        stack_.pop_back();
    }
}

// ---- tokenising ----

enum class CharClass { Name, Digit, Decimal, Operator, Open, Close, Blank, Other };

CharClass ClassOf(char c) {
    if (c >= '0' && c <= '9') return CharClass::Digit;
    if (IsNameChar(c)) return CharClass::Name;
    switch (c) {
    case '.':
    case ',': return CharClass::Decimal;
    case '%':
    case '*':
    case '+':
    case '-':
    case '/':
    case '^':
    case Apply: return CharClass::Operator;
    case '(':
    case '[':
    case '{': return CharClass::Open;
    case ')':
    case ']':
    case '}': return CharClass::Close;
    case '\t':
    case '\n':
    case ' ': return CharClass::Blank;
    default: return CharClass::Other;
    }
}

// Cuts an expression into numbers, names, operators and round brackets, and
// makes implicit multiplication and function application explicit.
template <class Out> class Tokeniser {
public:
    explicit Tokeniser(Out& out) : out_(out) {}
    void Read(std::string_view text);

private:
    enum class State { Start, AfterBlank, InNumber, InName };

    void EmitOperand(std::string&& token);
    void EmitOperator(char op);
    void Flush();
    bool CurrentIsFunction() const { return fraction_.empty() && FunctionNumber(token_) != 0; }
    void AppendDigit(char c);
    void OnBlank();
    void OnDigit(char c);
    void OnName(char c);
    void OnOperator(char c);
    void OnOpen();
    void OnClose();
    void OnDecimal();

    Out& out_;
    State state_ = State::Start;
    std::string token_;
    std::string fraction_;
    int decimals_ = 0;
    bool lastOperandIsFunction_ = false;
    // True where an operand is expected: at the start and after every
    // operator but ')'. A sign found there is a prefix, not a binary operator.
    bool operandExpected_ = true;
    // The number of brackets emitted and not yet closed.
    int openBrackets_ = 0;
};

template <class Out> void Tokeniser<Out>::Read(std::string_view text) {
    for (const char c : text) {
        switch (ClassOf(c)) {
        case CharClass::Blank: OnBlank(); break;
        case CharClass::Other: decimals_ = 0; break;
        case CharClass::Digit: OnDigit(c); break;
        case CharClass::Name: OnName(c); break;
        case CharClass::Operator: OnOperator(c); break;
        case CharClass::Open: OnOpen(); break;
        case CharClass::Close: OnClose(); break;
        case CharClass::Decimal: OnDecimal(); break;
        }
    }
    Flush();
    out_.Finish();
}

template <class Out> void Tokeniser<Out>::EmitOperand(std::string&& token) {
    operandExpected_ = false;
    out_.Operand(std::move(token));
}

template <class Out> void Tokeniser<Out>::EmitOperator(char op) {
    operandExpected_ = op != ')';
    out_.Operator(op);
}

template <class Out> void Tokeniser<Out>::Flush() {
    lastOperandIsFunction_ = false;
    if (token_.empty() && fraction_.empty()) return;
    lastOperandIsFunction_ = CurrentIsFunction();
    token_ += fraction_;
    EmitOperand(std::move(token_));
    if (lastOperandIsFunction_) EmitOperator(Apply);
    token_.clear();
    fraction_.clear();
}

// A digit goes to the fraction part while a decimal separator is active.
template <class Out> void Tokeniser<Out>::AppendDigit(char c) {
    if (decimals_ > 0)
        fraction_ += c;
    else
        token_ += c;
    state_ = State::InNumber;
}

template <class Out> void Tokeniser<Out>::OnBlank() {
    if (state_ == State::InNumber || state_ == State::InName) {
        Flush();
        state_ = State::AfterBlank;
    }
    decimals_ = 0;
}

// "2 3" multiplies; "sin 30" and "sin30" apply; "x2" is one name.
template <class Out> void Tokeniser<Out>::OnDigit(char c) {
    switch (state_) {
    case State::Start:
    case State::InNumber: AppendDigit(c); break;
    case State::AfterBlank:
        if (!lastOperandIsFunction_) EmitOperator('*');
        AppendDigit(c);
        break;
    case State::InName:
        if (CurrentIsFunction()) {
            Flush();
            AppendDigit(c);
        } else {
            token_ += c;
        }
        break;
    }
}

// "a b" and "2x" multiply.
template <class Out> void Tokeniser<Out>::OnName(char c) {
    switch (state_) {
    case State::Start:
    case State::InName: break;
    case State::AfterBlank:
        if (!lastOperandIsFunction_) EmitOperator('*');
        break;
    case State::InNumber:
        Flush();
        EmitOperator('*');
        break;
    }
    token_ += c;
    state_ = State::InName;
    decimals_ = 0;
}

// A '-' where an operand is expected negates that operand; a '+' there
// changes nothing and is dropped.
template <class Out> void Tokeniser<Out>::OnOperator(char c) {
    Flush();
    if (!operandExpected_ || (c != '-' && c != '+'))
        EmitOperator(c);
    else if (c == '-')
        EmitOperator(Negate);
    state_ = State::Start;
    decimals_ = 0;
}

// All bracket kinds become round ones. A bracket that opens right after a
// blank that followed an operand multiplies like a number there would
// ("2 (3+4)" is 2 * (3+4)); after a function name it holds the function's
// argument ("sin (30)"). A closing bracket always closes an open one, blank
// before it or not ("( 30 )"); one that closes nothing is skipped after a
// blank.
template <class Out> void Tokeniser<Out>::OnOpen() {
    const bool multiplies = state_ == State::AfterBlank && !lastOperandIsFunction_;
    Flush();
    if (multiplies) EmitOperator('*');
    EmitOperator('(');
    ++openBrackets_;
    state_ = State::Start;
}

template <class Out> void Tokeniser<Out>::OnClose() {
    if (state_ == State::AfterBlank && openBrackets_ == 0) return;
    Flush();
    EmitOperator(')');
    if (openBrackets_ > 0) --openBrackets_;
    state_ = State::Start;
}

// A second separator restarts the fraction part.
template <class Out> void Tokeniser<Out>::OnDecimal() {
    fraction_.assign(1, '.');
    ++decimals_;
}

// Collects the postfix tokens instead of evaluating them.
class PostfixRecorder {
public:
    void Operand(std::string&& token) { tokens.push_back({std::move(token), 0}); }
    void Operator(char op) { tokens.push_back({std::string(), op}); }

    std::vector<PostfixToken> tokens;
};

} // namespace

std::vector<PostfixToken> PostfixTokens(std::string_view expression) {
    PostfixRecorder recorder;
    Ordering ordering(recorder);
    Tokeniser(ordering).Read(expression);
    return std::move(recorder.tokens);
}

// Division by zero and a function's domain failure make the whole expression
// 0. Running out of memory on an absurdly long text does too, so that no
// exception leaves the evaluator. An infinite or undefined result is 0 as
// well, as such a result already is when it passes through the stack as
// text ("inf" and "nan" read as names); callers can always convert the value
// to an integer.
double evaluate(std::string_view expression) {
    if (expression.empty()) return 0;
    try {
        PostfixEvaluation evaluation;
        Ordering ordering(evaluation);
        Tokeniser(ordering).Read(expression);
        const double value = evaluation.Result();
        return std::isfinite(value) ? value : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

void InstallEvaluator() {
    SetExpressionEvaluator(&evaluate);
}

} // namespace mivarelo
