#include "core/ClassicConverter.h"

#include "core/ClassicTokens.h"
#include "core/Keywords.h"
#include "core/LineParser.h"
#include "core/VariableStore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <utility>

namespace mivarelo {

namespace {

// The classic origin is the turtle's start pixel.
constexpr int OriginX = 500;
constexpr int OriginY = 500;

// Lists and parentheses nested deeper than this are not converted, so that
// pathological input cannot exhaust the stack.
constexpr int NestingLimit = 100;

// Binding strength of an expression text, weakest first. An operand weaker
// than its operator needs is put in parentheses.
enum Precedence {
    NegativePrecedence,
    SumPrecedence,
    ProductPrecedence,
    PowerPrecedence,
    AtomPrecedence
};

// Thrown while converting one instruction. `lineLost` means the rest of the
// line cannot be read either (the number of inputs is unknown).
struct Unconvertible {
    ConversionText reason;
    bool lineLost = false;
};

// A condition of "and", "or" and "not" over comparisons: a comparison
// (`text`) or an operator ('&', '|', '!') over its parts.
struct Logic {
    char op = 'c';
    std::string text;
    std::vector<Logic> parts;
};

struct Value {
    enum Kind { Number, Condition, Word, List, Bad };
    Kind kind = Number;
    std::string text;
    int precedence = AtomPrecedence;
    std::optional<double> constant;
    // The tokens of a list: a part of the line's tokens, which outlive every
    // value read from them, so that a list nested deeply is not copied once
    // per level.
    std::span<const ClassicToken> items;
    ConversionText reason = NumberExpectedText;
    // A condition of "and", "or" or "not"; null for one comparison.
    std::shared_ptr<const Logic> logic;

    static Value Failed(ConversionText why) {
        Value v;
        v.kind = Bad;
        v.reason = why;
        return v;
    }
};

struct Command {
    std::string text;
    // A procedure call or a list command: here it runs after the rest of
    // its line.
    bool deferred = false;
};

struct Procedure {
    std::string name;
    std::vector<std::string> inputs;
    std::vector<std::string> locals;
    std::vector<ClassicLine> lines;

    std::vector<std::string> Variables() const {
        std::vector<std::string> all = inputs;
        all.insert(all.end(), locals.begin(), locals.end());
        return all;
    }
};

// A call as read: the word and its inputs.
struct Call {
    std::string name; // folded
    std::vector<Value> inputs;
};

std::string NumberText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

// Variable names here are runs of letters, '_' and ':'; a digit would end
// the stored name. Digits become '_' and a letter, other characters '_'.
std::string SafeName(std::string_view name) {
    std::string safe;
    for (char c : FoldCase(name)) {
        const auto u = static_cast<unsigned char>(c);
        if (c >= '0' && c <= '9')
            safe += std::string("_") + static_cast<char>('a' + (c - '0'));
        else if ((c >= 'a' && c <= 'z') || u >= 0xC0 || c == '_')
            safe += c;
        else
            safe += '_';
    }
    if (safe.empty() || safe[0] == '_') safe = "v" + safe;
    return safe;
}

std::string Operand(const Value& v, int needed) {
    if (v.kind == Value::Bad) throw Unconvertible{v.reason};
    if (v.kind != Value::Number) throw Unconvertible{NumberExpectedText};
    return v.precedence < needed ? "(" + v.text + ")" : v.text;
}

std::string Number(const Value& v) {
    return Operand(v, NegativePrecedence);
}

Value Expression(std::string text, int precedence) {
    Value v;
    v.text = std::move(text);
    v.precedence = precedence;
    return v;
}

Value Constant(double value) {
    Value v = Expression(NumberText(value), value < 0 ? NegativePrecedence : AtomPrecedence);
    v.constant = value;
    return v;
}

// Infix arithmetic; a word, list or unreadable input spoils the result.
Value Binary(const std::string& op, const Value& l, const Value& r) {
    for (const Value* side : {&l, &r})
        if (side->kind != Value::Number)
            return Value::Failed(side->kind == Value::Bad ? side->reason : NumberExpectedText);
    if (op == "+" || op == "-")
        return Expression(Operand(l, SumPrecedence) + " " + op + " " +
                              Operand(r, ProductPrecedence),
                          SumPrecedence);
    if (op == "*" || op == "/")
        return Expression(Operand(l, ProductPrecedence) + " " + op + " " +
                              Operand(r, AtomPrecedence),
                          ProductPrecedence);
    return Expression(Operand(l, AtomPrecedence) + " ^ " + Operand(r, AtomPrecedence),
                      PowerPrecedence);
}

Value Negative(const Value& v) {
    if (v.kind != Value::Number)
        return Value::Failed(v.kind == Value::Bad ? v.reason : NumberExpectedText);
    if (v.constant) return Constant(-*v.constant);
    return Expression("-" + Operand(v, AtomPrecedence), NegativePrecedence);
}

// A condition is read up to its first '(' ... ')' when it starts with '(',
// so a side that starts with one is written after "0 + ".
std::string ConditionSide(const Value& v) {
    const std::string text = Operand(v, SumPrecedence);
    return text.front() == '(' ? "0 + " + text : text;
}

Value Comparison(const std::string& op, const Value& l, const Value& r) {
    for (const Value* side : {&l, &r})
        if (side->kind != Value::Number)
            return Value::Failed(side->kind == Value::Bad ? side->reason : NumberExpectedText);
    Value v;
    v.kind = Value::Condition;
    v.text = ConditionSide(l) + " " + (op == "=" ? std::string("==") : op) + " " + ConditionSide(r);
    return v;
}

std::string ConditionText(const Value& v) {
    if (v.kind == Value::Bad) throw Unconvertible{v.reason};
    if (v.kind != Value::Condition || v.logic) throw Unconvertible{OneComparisonText};
    return v.text;
}

Logic LogicOf(const Value& v) {
    if (v.logic) return *v.logic;
    return {'c', ConditionText(v), {}};
}

// "and", "or" (of two inputs or more) and "not" over conditions.
Value Compound(char op, const std::vector<Value>& inputs) {
    Logic logic{op, {}, {}};
    for (const Value& v : inputs) {
        if (v.kind == Value::Bad) return Value::Failed(v.reason);
        if (v.kind != Value::Condition) return Value::Failed(OneComparisonText);
        logic.parts.push_back(LogicOf(v));
    }
    Value v;
    v.kind = Value::Condition;
    v.logic = std::make_shared<const Logic>(std::move(logic));
    return v;
}

std::span<const ClassicToken> ListItems(const Value& v) {
    if (v.kind == Value::Bad) throw Unconvertible{v.reason};
    if (v.kind != Value::List) throw Unconvertible{NoCounterpartText};
    return v.items;
}

// Commands and their number of inputs.
const std::map<std::string, int>& CommandArity() {
    static const std::map<std::string, int> arity = {
        {"fd", 1},
        {"forward", 1},
        {"bk", 1},
        {"back", 1},
        {"lt", 1},
        {"left", 1},
        {"rt", 1},
        {"right", 1},
        {"pu", 0},
        {"penup", 0},
        {"pd", 0},
        {"pendown", 0},
        {"ht", 0},
        {"hideturtle", 0},
        {"st", 0},
        {"showturtle", 0},
        {"cs", 0},
        {"clearscreen", 0},
        {"clean", 0},
        {"home", 0},
        {"setxy", 2},
        {"setpos", 1},
        {"setx", 1},
        {"sety", 1},
        {"seth", 1},
        {"setheading", 1},
        {"repeat", 2},
        {"if", 2},
        {"ifelse", 3},
        {"for", 2},
        {"while", 2},
        {"until", 2},
        {"do.while", 2},
        {"do.until", 2},
        {"make", 2},
        {"localmake", 2},
        {"local", 1},
        {"stop", 0},
        {"output", 1},
        {"op", 1},
        {"print", 1},
        {"pr", 1},
        {"show", 1},
        {"type", 1},
        {"setpc", 1},
        {"setpencolor", 1},
        {"setpensize", 1},
        {"setbg", 1},
        {"setbackground", 1},
        {"setsc", 1},
        {"setscreencolor", 1},
        {"pe", 0},
        {"penerase", 0},
        {"ppt", 0},
        {"penpaint", 0},
        {"px", 0},
        {"penreverse", 0},
        {"label", 1},
        {"wait", 1},
        {"fill", 0},
        {"wrap", 0},
        {"window", 0},
        {"fence", 0},
        {"arc", 2},
        {"bye", 0},
        {"setlabelheight", 1},
    };
    return arity;
}

// Operations that report a value, and their number of inputs.
const std::map<std::string, int>& ReporterArity() {
    static const std::map<std::string, int> arity = {
        {"xcor", 0},      {"ycor", 0},       {"heading", 0}, {"pos", 0},      {"repcount", 0},
        {"pencolor", 0},  {"sqrt", 1},       {"sin", 1},     {"cos", 1},      {"tan", 1},
        {"arctan", 1},    {"exp", 1},        {"ln", 1},      {"log10", 1},    {"random", 1},
        {"minus", 1},     {"abs", 1},        {"int", 1},     {"round", 1},    {"not", 1},
        {"sum", 2},       {"difference", 2}, {"product", 2}, {"quotient", 2}, {"power", 2},
        {"remainder", 2}, {"modulo", 2},     {"and", 2},     {"or", 2},       {"equalp", 2},
        {"equal?", 2},    {"lessp", 2},      {"less?", 2},   {"greaterp", 2}, {"greater?", 2},
        {"list", 2},      {"sentence", 2},   {"se", 2},      {"word", 2},     {"first", 1},
        {"last", 1},      {"butfirst", 1},   {"bf", 1},      {"butlast", 1},  {"bl", 1},
        {"item", 2},      {"count", 1},      {"fput", 2},    {"lput", 2},     {"pick", 1},
        {"towards", 1},
    };
    return arity;
}

void AddVariable(std::vector<std::string>& list, const std::string& name) {
    for (const std::string& v : list)
        if (v == name) return;
    list.push_back(name);
}

// `prefix` and the letters of `number` (1: "a", 26: "z", 27: "aa"): names
// of variables here hold no digits.
std::string LetteredName(const std::string& prefix, std::size_t number) {
    std::string name = prefix;
    for (std::size_t d = number; d > 0; d = (d - 1) / 26)
        name += static_cast<char>('a' + (d - 1) % 26);
    return name;
}

// The classic palette, 0 to 15.
const char* const Palette[16] = {
    "0 0 0",       "0 0 255",     "0 255 0",   "0 255 255",   "255 0 0",    "255 0 255",
    "255 255 0",   "255 255 255", "155 96 59", "197 136 18",  "100 162 64", "120 187 187",
    "255 149 119", "144 113 208", "255 163 0", "183 183 183",
};

class Writer {
public:
    // `globals`: the names a "make" sets outside any procedure's own inputs
    // and locals.
    Writer(const std::map<std::string, Procedure>& procedures, std::set<std::string> globals,
           ConversionReport& report)
        : procedures_(procedures), globals_(std::move(globals)), report_(report) {
        for (const auto& [key, procedure] : procedures_)
            for (const std::string& v : procedure.Variables())
                procedureVariables_.insert(v);
    }

    // `main`: the main procedure, which has no frame, so its variables are
    // globals.
    ConvertedProcedure Write(const Procedure& procedure, const std::string& prefix, bool main) {
        procedure_ = &procedure;
        main_ = main;
        helperCount_ = 0;
        extraLocals_.clear();
        std::string body = prefix;
        for (const ClassicLine& line : procedure.lines) {
            lineReadsRepcount_ = ReadsRepcount(line.tokens);
            for (const Command& command : Instructions(line.tokens))
                body += command.text + "\n";
        }
        return {Header(procedure.name, Variables()), body};
    }

    std::vector<ConvertedProcedure> helpers;

private:
    struct TokenCursor {
        std::span<const ClassicToken> tokens;
        std::size_t pos = 0;
        bool AtEnd() const { return pos >= tokens.size(); }
        const ClassicToken& Peek() const { return tokens[pos]; }
        bool PeekIs(ClassicToken::Kind kind) const { return !AtEnd() && Peek().kind == kind; }
        bool PeekOperator(std::initializer_list<const char*> ops) const {
            if (!PeekIs(ClassicToken::Operator)) return false;
            for (const char* op : ops)
                if (Peek().text == op) return true;
            return false;
        }
    };

    std::string Header(const std::string& name, const std::vector<std::string>& variables) {
        std::string header = name;
        for (const std::string& v : variables)
            header += " :" + Renamed(v);
        return header;
    }

    // The procedure's inputs and locals, then the counters it was given.
    std::vector<std::string> Variables() const {
        std::vector<std::string> all = procedure_->Variables();
        for (const std::string& v : extraLocals_)
            AddVariable(all, v);
        return all;
    }

    // A variable named as a command or a procedure, or beginning with a
    // command word, would be read here as that command (and a line such as
    // "st := 5" would set nothing): it gets a name of its own, which the
    // report gives once.
    std::string Renamed(const std::string& safe) {
        if (const auto r = renamed_.find(safe); r != renamed_.end()) return r->second;
        std::string name = safe;
        if (Clashes(safe)) {
            name = "v_" + safe;
            while (Clashes(name))
                name += '_';
            report_.Rename(safe, name);
        }
        renamed_.emplace(safe, name);
        return name;
    }

    bool Clashes(const std::string& name) const {
        std::string keyword;
        std::string rest;
        return LookupCommand(name) != UnknownCode || SplitKeywordPrefix(name, keyword, rest) ||
               procedures_.count(name) || IsRepeatCounterName(name);
    }

    // Counts the nesting of lists and parentheses while one is read.
    class Nesting {
    public:
        explicit Nesting(int& depth) : depth_(depth) {
            if (++depth_ > NestingLimit) {
                --depth_;
                throw Unconvertible{NoCounterpartText, true};
            }
        }
        ~Nesting() { --depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        int& depth_;
    };

    std::vector<Command> Instructions(std::span<const ClassicToken> tokens) {
        const Nesting nesting(depth_);
        std::vector<Command> out;
        TokenCursor c{tokens};
        while (!c.AtEnd()) {
            const std::size_t start = c.pos;
            try {
                Call call = ReadCall(c);
                std::vector<Command> converted = std::exchange(before_, {});
                try {
                    Convert(call, converted);
                    if (!before_.empty()) throw Unconvertible{NoCounterpartText};
                } catch (const Unconvertible& e) {
                    throw Unconvertible{e.reason, false};
                }
                out.insert(out.end(), converted.begin(), converted.end());
            } catch (const Unconvertible& e) {
                before_.clear();
                if (e.lineLost) c.pos = tokens.size();
                report_.Drop(tokens[start].line, TokensText(tokens, start, c.pos), e.reason);
            }
        }
        return out;
    }

    // ---- reading ----

    Call ReadCall(TokenCursor& c) {
        const ClassicToken& head = c.Peek();
        ++c.pos;
        if (head.kind == ClassicToken::LeftParen) {
            // Parentheses may give a command more inputs ("(local "a "b)"),
            // never fewer.
            Call call = ReadParenthesizedCall(c);
            if (call.inputs.size() < static_cast<std::size_t>(ArityOf(call.name, true)))
                throw Unconvertible{MissingInputText};
            return call;
        }
        if (head.kind != ClassicToken::Word) throw Unconvertible{UnknownClassicWordText, true};
        Call call{FoldCase(head.text), {}};
        const int arity = ArityOf(call.name, true);
        if (arity < 0) throw Unconvertible{UnknownClassicWordText, true};
        for (int k = 0; k < arity; ++k)
            call.inputs.push_back(ReadInput(c));
        return call;
    }

    // "(sum 1 2 3)", "(local "a "b)": as many inputs as stand before ')'.
    Call ReadParenthesizedCall(TokenCursor& c) {
        if (!c.PeekIs(ClassicToken::Word)) throw Unconvertible{UnknownClassicWordText, true};
        Call call{FoldCase(c.Peek().text), {}};
        ++c.pos;
        if (ArityOf(call.name, true) < 0) throw Unconvertible{UnknownClassicWordText, true};
        while (!c.AtEnd() && !c.PeekIs(ClassicToken::RightParen))
            call.inputs.push_back(ReadExpression(c));
        if (c.AtEnd()) throw Unconvertible{UnbalancedBracketsText, true};
        ++c.pos;
        return call;
    }

    int ArityOf(const std::string& name, bool command) const {
        if (const auto p = procedures_.find(name); p != procedures_.end())
            return static_cast<int>(p->second.inputs.size());
        const auto& table = command ? CommandArity() : ReporterArity();
        if (const auto a = table.find(name); a != table.end()) return a->second;
        if (!command) return -1;
        const auto r = ReporterArity().find(name);
        return r == ReporterArity().end() ? -1 : r->second;
    }

    Value ReadInput(TokenCursor& c) {
        if (c.AtEnd() || c.PeekIs(ClassicToken::Close) || c.PeekIs(ClassicToken::RightParen))
            throw Unconvertible{MissingInputText, true};
        return ReadExpression(c);
    }

    Value ReadExpression(TokenCursor& c) {
        Value left = ReadSum(c);
        if (!c.PeekOperator({"=", "<", ">", "<=", ">=", "<>"})) return left;
        const std::string op = c.Peek().text;
        ++c.pos;
        return Comparison(op, left, ReadSum(c));
    }

    Value ReadSum(TokenCursor& c) {
        Value left = ReadProduct(c);
        while (c.PeekOperator({"+", "-"})) {
            const std::string op = c.Peek().text;
            ++c.pos;
            left = Binary(op, left, ReadProduct(c));
        }
        return left;
    }

    Value ReadProduct(TokenCursor& c) {
        Value left = ReadUnary(c);
        while (c.PeekOperator({"*", "/"})) {
            const std::string op = c.Peek().text;
            ++c.pos;
            left = Binary(op, left, ReadUnary(c));
        }
        return left;
    }

    // Where an operand stands, a '-' can only make it negative, also when a
    // blank follows it ("(- :x)").
    Value ReadUnary(TokenCursor& c) {
        if (!c.PeekIs(ClassicToken::Negate) && !c.PeekOperator({"-"})) return ReadPrimary(c);
        ++c.pos;
        return Negative(ReadUnary(c));
    }

    Value ReadPrimary(TokenCursor& c) {
        if (c.AtEnd()) throw Unconvertible{MissingInputText, true};
        const Nesting nesting(depth_);
        const ClassicToken token = c.Peek();
        ++c.pos;
        switch (token.kind) {
        case ClassicToken::Number: return Constant(std::strtod(token.text.c_str(), nullptr));
        case ClassicToken::Variable: return Expression(ValueOf(token.text), AtomPrecedence);
        case ClassicToken::Quoted: {
            Value v;
            v.kind = Value::Word;
            v.text = token.text;
            return v;
        }
        case ClassicToken::Open: return ReadList(c);
        case ClassicToken::LeftParen: return ReadParenthesized(c);
        case ClassicToken::Word: return ReadReporter(c, FoldCase(token.text));
        default: throw Unconvertible{MissingInputText, true};
        }
    }

    Value ReadList(TokenCursor& c) {
        Value v;
        v.kind = Value::List;
        const std::size_t first = c.pos;
        int depth = 1;
        while (!c.AtEnd()) {
            const ClassicToken& t = c.Peek();
            depth += t.kind == ClassicToken::Open ? 1 : t.kind == ClassicToken::Close ? -1 : 0;
            ++c.pos;
            if (depth == 0) {
                v.items = c.tokens.subspan(first, c.pos - 1 - first);
                return v;
            }
        }
        throw Unconvertible{UnbalancedBracketsText, true};
    }

    Value ReadParenthesized(TokenCursor& c) {
        if (c.PeekIs(ClassicToken::Word) && ArityOf(FoldCase(c.Peek().text), false) >= 0) {
            return ReporterValue(ReadParenthesizedCall(c));
        }
        Value inner = ReadExpression(c);
        if (!c.PeekIs(ClassicToken::RightParen)) throw Unconvertible{UnbalancedBracketsText, true};
        ++c.pos;
        return inner;
    }

    Value ReadReporter(TokenCursor& c, const std::string& name) {
        const int arity = ArityOf(name, false);
        if (arity < 0) throw Unconvertible{UnknownClassicWordText, true};
        Call call{name, {}};
        for (int k = 0; k < arity; ++k)
            call.inputs.push_back(ReadInput(c));
        return ReporterValue(call);
    }

    // ---- values ----

    bool IsVariable(const std::string& safe) const {
        for (const std::string& v : procedure_->Variables())
            if (v == safe) return true;
        return false;
    }

    // Classic Logo lets a procedure read the inputs of the procedures that
    // called it; here a procedure sees only its own and the globals, so such
    // a read (a name that is no global but another procedure's input or
    // local) is reported rather than read as 0.
    std::string ValueOf(const std::string& name) {
        const std::string safe = SafeName(name);
        if (!main_ && !IsVariable(safe) && !globals_.count(safe) && procedureVariables_.count(safe))
            throw Unconvertible{CallerInputText};
        return VariableRead(name);
    }

    // The procedure's own inputs and locals live in its frame (":name");
    // every other variable is a global, read and written without the colon.
    std::string VariableRead(const std::string& name) {
        const std::string safe = SafeName(name);
        return (IsVariable(safe) ? ":" : "") + Renamed(safe);
    }

    static Value Function(const char* name, const Value& v) {
        if (v.kind != Value::Number)
            return Value::Failed(v.kind == Value::Bad ? v.reason : NumberExpectedText);
        return Expression(std::string(name) + "(" + v.text + ")", AtomPrecedence);
    }

    // a - b * int(a / b): the sign of the dividend. Classic "modulo", with
    // the sign of the divisor, is the remainder of (remainder + divisor).
    static Value Remainder(const Value& a, const Value& b) {
        return Binary("-", a, Binary("*", b, Function("int", Binary("/", a, b))));
    }

    Value ReporterValue(const Call& call) {
        const std::string& n = call.name;
        const auto& in = call.inputs;
        if (const auto p = procedures_.find(n); p != procedures_.end())
            return Expression(ValueCallText(p->second, in), AtomPrecedence);
        if (n == "xcor") return ClassicX();
        if (n == "ycor") return ClassicY();
        if (n == "towards") return Towards(in.at(0));
        // Classic 0 points up, here 270 does: the classic heading is this
        // one plus 90, brought into 0..360.
        if (n == "heading")
            return Remainder(Expression("_nerdeyon + 90", SumPrecedence), Constant(360));
        // The innermost repeat's own pass, kept at its start (see Repeat).
        if (n == "repcount")
            return Expression(counters_.empty() ? "repcount" : counters_.back(), AtomPrecedence);
        if (in.empty()) return Value::Failed(NoCounterpartText);
        static const std::map<std::string, const char*> functions = {
            {"sqrt", "sqrt"}, {"sin", "sin"},     {"cos", "cos"},
            {"tan", "tan"},   {"arctan", "atan"}, {"exp", "exp"},
            {"ln", "ln"},     {"log10", "log"},   {"random", "random"},
        };
        if (const auto f = functions.find(n); f != functions.end())
            return Function(f->second, in[0]);
        if (n == "minus") return Negative(in[0]);
        // "int" cuts toward zero, "round" takes halves away from zero, as the
        // functions of the same names here do; "abs" here would cut first.
        if (n == "int" || n == "round") return Function(n.c_str(), in[0]);
        if (n == "abs") return Function("sqrt", Binary("*", in[0], in[0]));
        if ((n == "remainder" || n == "modulo") && in.size() == 2)
            return n == "remainder" ? Remainder(in[0], in[1])
                                    : Remainder(Binary("+", Remainder(in[0], in[1]), in[1]), in[1]);
        static const std::map<std::string, const char*> infix = {
            {"sum", "+"}, {"difference", "-"}, {"product", "*"}, {"quotient", "/"}, {"power", "^"},
        };
        if (const auto op = infix.find(n); op != infix.end() && in.size() >= 2) {
            Value result = in[0];
            for (std::size_t k = 1; k < in.size(); ++k)
                result = Binary(op->second, result, in[k]);
            return result;
        }
        static const std::map<std::string, const char*> comparisons = {
            {"equalp", "="}, {"equal?", "="},   {"lessp", "<"},
            {"less?", "<"},  {"greaterp", ">"}, {"greater?", ">"},
        };
        if (const auto op = comparisons.find(n); op != comparisons.end() && in.size() == 2)
            return Comparison(op->second, in[0], in[1]);
        if (n == "not") return Compound('!', {in[0]});
        if (n == "and" || n == "or") return Compound(n == "and" ? '&' : '|', in);
        return Value::Failed(NoCounterpartText);
    }

    static Value ClassicX() {
        return Expression("_nerdex - " + std::to_string(OriginX), SumPrecedence);
    }

    static Value ClassicY() {
        return Expression(std::to_string(OriginY) + " - _nerdey", SumPrecedence);
    }

    // "towards [x y]": the classic heading from the turtle to the point. It
    // is worked out before the command that reads it, into a variable of
    // its own: the arctangent of dx / dy, turned by the quadrant; a point
    // straight left or right is 270 or 90, the turtle's own place 0.
    Value Towards(const Value& point) {
        const auto [x, y] = PointOf(point);
        const Value dx = Binary("-", x, ClassicX());
        const Value dy = Binary("-", y, ClassicY());
        const std::string t = Temporary(LetteredName("toward_", ++towardCount_));
        const std::string angle = "atan(" + Number(Binary("/", dx, dy)) + ")";
        const auto test = [](const char* op, const Value& v) {
            return "if " + ConditionText(Comparison(op, v, Constant(0))) + " [ ";
        };
        before_.push_back({t + " := 0"});
        before_.push_back({test(">", dy) + t + " := 360 + " + angle + " ]", true});
        before_.push_back({test("<", dy) + t + " := 180 + " + angle + " ]", true});
        for (const auto& [op, degrees] : {std::pair{">", "90"}, std::pair{"<", "270"}})
            before_.push_back({test("=", dy) + test(op, dx) + t + " := " + degrees + " ] ]", true});
        return Remainder(Expression(t, AtomPrecedence), Constant(360));
    }

    // A variable the converted procedure needs for itself: a local of a
    // procedure, a global of the main procedure (which has no frame).
    std::string Temporary(const std::string& name) {
        if (!main_) AddVariable(extraLocals_, name);
        return main_ ? name : ":" + name;
    }

    // ---- commands ----

    void Convert(const Call& call, std::vector<Command>& out) {
        const std::string& n = call.name;
        const auto& in = call.inputs;
        if (const auto p = procedures_.find(n); p != procedures_.end()) {
            out.push_back({CallText(p->second, in), true});
            return;
        }
        static const std::map<std::string, const char*> moves = {
            {"fd", "forward"}, {"forward", "forward"}, {"bk", "back"},
            {"back", "back"},  {"lt", "left"},         {"left", "left"},
            {"rt", "right"},   {"right", "right"},     {"wait", "wait"},
        };
        if (const auto m = moves.find(n); m != moves.end()) {
            out.push_back({std::string(m->second) + " " + Number(in.at(0))});
            return;
        }
        static const std::map<std::string, const char*> plain = {
            {"pu", "penup"},      {"penup", "penup"},
            {"pd", "pendown"},    {"pendown", "pendown"},
            {"ht", "hideturtle"}, {"hideturtle", "hideturtle"},
            {"st", "showturtle"}, {"showturtle", "showturtle"},
            {"clean", "clean"},   {"pe", "pe"},
            {"penerase", "pe"},   {"ppt", "ppt"},
            {"penpaint", "ppt"},  {"fill", "fill"},
            {"stop", "stop"},
        };
        if (const auto p = plain.find(n); p != plain.end()) {
            out.push_back({p->second});
            return;
        }
        ConvertTurtle(call, out);
    }

    void ConvertTurtle(const Call& call, std::vector<Command>& out) {
        const std::string& n = call.name;
        const auto& in = call.inputs;
        if (n == "cs" || n == "clearscreen") {
            out.push_back({"clearscreen"});
            out.push_back({"left 90"});
        } else if (n == "home") {
            // Classic home draws its way back and faces up again.
            out.push_back({"setpos " + XText(Constant(0)) + ", " + YText(Constant(0))});
            out.push_back({"seth 270"});
        } else if (n == "setxy") {
            out.push_back({"setpos " + XText(in.at(0)) + ", " + YText(in.at(1))});
        } else if (n == "setpos") {
            const auto [x, y] = PointOf(in.at(0));
            out.push_back({"setpos " + XText(x) + ", " + YText(y)});
        } else if (n == "setx") {
            out.push_back({"setx " + XText(in.at(0))});
        } else if (n == "sety") {
            out.push_back({"sety " + YText(in.at(0))});
        } else if (n == "seth" || n == "setheading") {
            out.push_back({"seth " + HeadingText(in.at(0))});
        } else {
            ConvertControl(call, out);
        }
    }

    void ConvertControl(const Call& call, std::vector<Command>& out) {
        const std::string& n = call.name;
        const auto& in = call.inputs;
        if (n == "repeat") {
            Repeat(Number(in.at(0)), ListItems(in.at(1)), out);
        } else if (n == "while" || n == "until") {
            std::vector<Command> again;
            const std::string condition = LoopCondition(in.at(0), out, again);
            std::vector<Command> list = Instructions(ListItems(in.at(1)));
            list.insert(list.end(), again.begin(), again.end());
            out.push_back({n + " [" + condition + "] [ " + JoinList(list) + " ]", true});
        } else if (n == "do.while" || n == "do.until") {
            std::vector<Command> list = Instructions(ListItems(in.at(0)));
            std::vector<Command> before;
            const std::string condition = LoopCondition(in.at(1), before, list);
            out.push_back({(n == "do.while" ? "dowhile" : "dountil") + std::string(" [ ") +
                               JoinList(list) + " ] [" + condition + "]",
                           true});
        } else if (n == "if") {
            const std::string condition = Condition(in.at(0), out);
            std::vector<Command> list = Instructions(ListItems(in.at(1)));
            if (EndsInLeaveAfterDeferred(list))
                Branches(condition, list, {}, out);
            else if (!list.empty())
                out.push_back({"if " + condition + " [ " + JoinList(list) + " ]", true});
        } else if (n == "ifelse") {
            const std::string condition = Condition(in.at(0), out);
            Branches(condition, Instructions(ListItems(in.at(1))),
                     Instructions(ListItems(in.at(2))), out);
        } else if (n == "output" || n == "op") {
            out.push_back({"output " + Number(in.at(0))});
        } else if (n == "make" || n == "localmake") {
            if (in.at(0).kind != Value::Word) throw Unconvertible{NoCounterpartText};
            out.push_back({VariableRead(in[0].text) + " := " + Number(in.at(1))});
        } else if (n == "for") {
            For(in.at(0), in.at(1), out);
        } else if (n == "local") {
            // Locals are inputs of the procedure's header; nothing to run.
        } else {
            ConvertLooks(call, out);
        }
    }

    void ConvertLooks(const Call& call, std::vector<Command>& out) {
        const std::string& n = call.name;
        const auto& in = call.inputs;
        if (n == "setpc" || n == "setpencolor") {
            out.push_back({"setpencolor " + ColourText(in.at(0))});
        } else if (n == "setbg" || n == "setbackground" || n == "setsc" || n == "setscreencolor") {
            out.push_back({"setscreencolor " + ColourText(in.at(0))});
        } else if (n == "setpensize") {
            const Value& size = in.at(0);
            if (size.kind == Value::List && !size.items.empty() &&
                size.items[0].kind == ClassicToken::Number)
                out.push_back({"setpenwidth " + size.items[0].text});
            else
                out.push_back({"setpenwidth " + Number(size)});
        } else if (n == "arc") {
            Arc(in.at(0), in.at(1), out);
        } else if (n == "label") {
            Label(in.at(0), out);
        } else if (n == "print" || n == "pr" || n == "show" || n == "type") {
            out.push_back({"print " + ShownText(in.at(0))});
        } else {
            throw Unconvertible{NoCounterpartText};
        }
    }

    // Classic "repcount" is the pass of the innermost repeat, but here every
    // list that runs (an "if" list, a helper procedure, an inner repeat)
    // sets it. A repeat whose list reads it therefore keeps its pass in a
    // counter of its own first thing in each pass, and the reads inside read
    // that counter.
    void Repeat(const std::string& count, std::span<const ClassicToken> items,
                std::vector<Command>& out) {
        const bool counted = lineReadsRepcount_ && ReadsRepcount(items);
        if (counted) counters_.push_back(Counter(counters_.size()));
        std::string list = ListText(items);
        if (counted) {
            list = counters_.back() + " := repcount" + (list.empty() ? "" : " ; " + list);
            counters_.pop_back();
        }
        if (!list.empty()) out.push_back({"repeat " + count + " [ " + list + " ]", true});
    }

    static bool ReadsRepcount(std::span<const ClassicToken> items) {
        return std::ranges::any_of(items, [](const ClassicToken& t) {
            return t.kind == ClassicToken::Word && t.text.size() == 8 &&
                   FoldCase(t.text) == "repcount";
        });
    }

    // The counter of the repeat `depth` levels deep.
    std::string Counter(std::size_t depth) { return Temporary(LetteredName("pass_", depth + 1)); }

    // A loop's condition: a list read as one expression, or a comparison.
    // One of "and", "or" and "not" is worked out before the loop (into
    // `before`) and again at the end of each pass (into `again`).
    std::string LoopCondition(const Value& v, std::vector<Command>& before,
                              std::vector<Command>& again) {
        Value condition = v;
        if (v.kind == Value::List) {
            TokenCursor c{v.items};
            condition = ReadInput(c);
            if (!c.AtEnd()) throw Unconvertible{OneComparisonText};
            // What the condition needs worked out goes before every test.
            const std::vector<Command> needed = std::exchange(before_, {});
            before.insert(before.end(), needed.begin(), needed.end());
            again.insert(again.end(), needed.begin(), needed.end());
        }
        if (!condition.logic) return ConditionText(condition);
        const std::string flag = Flag();
        Work(*condition.logic, flag, before);
        Work(*condition.logic, flag, again);
        return flag + " == 1";
    }

    // The comparison a command tests. A condition of "and", "or" and "not"
    // is worked out first, into a flag of its own, which is then tested. The
    // flag is the procedure's own: a call for a value in the condition may
    // run this procedure again and work out its flag meanwhile.
    std::string Condition(const Value& v, std::vector<Command>& out) {
        if (!v.logic) return ConditionText(v);
        const std::string flag = Temporary(Flag());
        Work(*v.logic, flag, out);
        return flag + " == 1";
    }

    // Each condition has its own flag. A loop's is a global, so that the
    // helper procedure that may hold the loop's list sets it for the loop.
    std::string Flag() { return LetteredName("cond_", ++flagCount_); }

    // Sets `flag` to 1 when `logic` holds, else to 0, with nested "if"s:
    // the second part of an "and" is asked only when the first held, that of
    // an "or" only when it did not, as classic Logo asks them.
    void Work(const Logic& logic, const std::string& flag, std::vector<Command>& out) {
        if (logic.op == 'c') {
            out.push_back({flag + " := 0"});
            out.push_back({"if " + logic.text + " [ " + flag + " := 1 ]", true});
            return;
        }
        Work(logic.parts.at(0), flag, out);
        if (logic.op == '!') {
            out.push_back({flag + " := 1 - " + flag});
            return;
        }
        for (std::size_t k = 1; k < logic.parts.size(); ++k) {
            std::vector<Command> next;
            Work(logic.parts[k], flag, next);
            out.push_back({"if " + flag + (logic.op == '&' ? " == 1" : " == 0") + " [ " +
                               JoinList(next) + " ]",
                           true});
        }
    }

    // "arc angle radius" draws part of a circle round the turtle, clockwise
    // from its heading (counterclockwise for a negative angle), and leaves
    // the turtle where it was: out to the circle, along it in steps of a
    // degree (each a chord, 2 r sin 0.5 degrees long, half a degree off the
    // tangent so that every corner lies on the circle), and back. The pen
    // draws the arc only when it was down, and is left as it was.
    void Arc(const Value& angle, const Value& radius, std::vector<Command>& out) {
        const std::string r = Number(radius);
        const bool back = angle.constant && *angle.constant < 0;
        const std::string degrees = back ? NumberText(-*angle.constant) : Number(angle);
        const Value chord = Binary("*", radius, Constant(0.0174530709));
        const std::string pen = Temporary("was_pendown");
        const Command penBack{"if " + pen + " == 1 [ pendown ]", true};
        out.push_back({pen + " := _kalem"});
        out.push_back({"penup"});
        out.push_back({"forward " + r});
        const std::string along = back ? "left" : "right";
        const std::string outward = back ? "right" : "left";
        out.push_back({along + " 90.5"});
        out.push_back(penBack);
        out.push_back(
            {"repeat " + degrees + " [ forward " + Number(chord) + " ; " + along + " 1 ]", true});
        out.push_back({"penup"});
        out.push_back({outward + " 90.5"});
        out.push_back({"back " + r});
        out.push_back({outward + " " + degrees});
        out.push_back(penBack);
    }

    // "for [i 1 10 2] [...]" counts i from 1 to 10 by 2. Without a step it
    // counts by 1 towards the end: down when the start is above it. It runs
    // once when start and end are equal, and not at all when the step leads
    // away from the end. Here it is a repeat of as many passes as there are
    // values, each pass first setting i from the pass number.
    void For(const Value& control, const Value& body, std::vector<Command>& out) {
        const std::span<const ClassicToken> items = ListItems(control);
        if (items.empty() || items[0].kind != ClassicToken::Word)
            throw Unconvertible{NoCounterpartText};
        TokenCursor c{items, 1};
        const Value first = ReadInput(c);
        const Value last = ReadInput(c);
        const std::optional<Value> step =
            c.AtEnd() ? std::nullopt : std::optional<Value>(ReadInput(c));
        if (!c.AtEnd() || (step && step->constant && *step->constant == 0))
            throw Unconvertible{NoCounterpartText};
        const std::string name = VariableRead(items[0].text);
        const std::vector<Command> list = Instructions(ListItems(body));
        if (step) {
            out.push_back({ForRepeat(name, first, last, *step, list), true});
        } else if (first.constant && last.constant) {
            out.push_back({ForRepeat(name, first, last,
                                     Constant(*last.constant < *first.constant ? -1 : 1), list),
                           true});
        } else {
            Branches(ConditionSide(first) + " <= " + ConditionSide(last),
                     {{ForRepeat(name, first, last, Constant(1), list), true}},
                     {{ForRepeat(name, first, last, Constant(-1), list), true}}, out);
        }
    }

    // Passes: (last - first) / step + 1, cut to a whole number (a repeat
    // of no or fewer passes runs nothing).
    std::string ForRepeat(const std::string& name, const Value& first, const Value& last,
                          const Value& step, const std::vector<Command>& list) {
        const Value passes = Binary("+", Binary("/", Binary("-", last, first), step), Constant(1));
        const Value value =
            Binary("+", first, Binary("*", Expression("repcount - 1", SumPrecedence), step));
        std::string text = name + " := " + Number(value);
        if (!list.empty()) text += " ; " + JoinList(list);
        return "repeat " + Number(passes) + " [ " + text + " ]";
    }

    // The inputs of a call, separated by commas; the callee's locals get a
    // place in its frame.
    static std::string ArgumentsText(const Procedure& callee, const std::vector<Value>& inputs) {
        std::string arguments;
        for (const Value& v : inputs)
            arguments += (arguments.empty() ? "" : ", ") + Number(v);
        for (std::size_t k = 0; k < callee.locals.size(); ++k)
            arguments += arguments.empty() ? "0" : ", 0";
        return arguments;
    }

    // A call for the procedure's value: "name(a, b)".
    static std::string ValueCallText(const Procedure& callee, const std::vector<Value>& inputs) {
        return callee.name + "(" + ArgumentsText(callee, inputs) + ")";
    }

    static std::string CallText(const Procedure& callee, const std::vector<Value>& inputs) {
        const std::string arguments = ArgumentsText(callee, inputs);
        return arguments.empty() ? callee.name : callee.name + " " + arguments;
    }

    static std::string XText(const Value& x) {
        if (x.constant) return NumberText(OriginX + *x.constant);
        return std::to_string(OriginX) + " + " + Operand(x, ProductPrecedence);
    }

    static std::string YText(const Value& y) {
        if (y.constant) return NumberText(OriginY - *y.constant);
        return std::to_string(OriginY) + " - " + Operand(y, ProductPrecedence);
    }

    // Classic 0 points up, here 270 does; both grow clockwise.
    static std::string HeadingText(const Value& h) {
        if (h.constant) return NumberText(std::fmod(std::fmod(*h.constant - 90, 360) + 360, 360));
        return Operand(h, SumPrecedence) + " - 90";
    }

    std::pair<Value, Value> PointOf(const Value& list) {
        TokenCursor c{ListItems(list)};
        Value x = ReadInput(c);
        Value y = ReadInput(c);
        if (!c.AtEnd()) throw Unconvertible{NumberExpectedText};
        return {x, y};
    }

    static std::string ColourText(const Value& colour) {
        if (colour.constant && *colour.constant >= 0 && *colour.constant < 16 &&
            *colour.constant == std::floor(*colour.constant))
            return "[" + std::string(Palette[static_cast<int>(*colour.constant)]) + "]";
        if (colour.kind != Value::List || colour.items.size() != 3)
            throw Unconvertible{ColourExpectedText};
        // Classic colour lists give each component in percent; a list with a
        // component above 100 comes from a Logo that counts to 255, as this
        // one does, and is taken as it stands.
        std::vector<double> components;
        for (const ClassicToken& t : colour.items) {
            if (t.kind != ClassicToken::Number) throw Unconvertible{ColourExpectedText};
            components.push_back(std::strtod(t.text.c_str(), nullptr));
        }
        const bool percent = std::ranges::all_of(components, [](double c) { return c <= 100; });
        std::string text = "[";
        for (const double c : components)
            text +=
                (text.size() > 1 ? " " : "") + NumberText(std::lround(percent ? c * 255 / 100 : c));
        return text + "]";
    }

    // Classic labels are written level whatever the turtle's heading; here
    // a label follows the heading, so the turtle faces along the x axis for
    // it and turns back after.
    void Label(const Value& text, std::vector<Command>& out) {
        const std::string shown = ShownText(text);
        const std::string heading = Temporary("was_heading");
        out.push_back({heading + " := _nerdeyon"});
        out.push_back({"seth 0"});
        out.push_back({"label " + shown});
        out.push_back({"seth " + heading});
    }

    // What a label or print shows: a word or list as written, a number, or
    // an expression in round brackets, which both show as its value. A word
    // that is a command here would run as one, and brackets or ';' would be
    // read as lists or a command's end, so such a text is reported.
    std::string ShownText(const Value& v) const {
        if (v.constant) return NumberText(*v.constant);
        if (v.kind == Value::Number) return "(" + v.text + ")";
        if (v.kind != Value::Word && v.kind != Value::List)
            throw Unconvertible{v.kind == Value::Bad ? v.reason : NumberExpectedText};
        const std::string text =
            v.kind == Value::Word ? v.text : TokensText(v.items, 0, v.items.size());
        if (text.find_first_of(";[]{}") != std::string::npos)
            throw Unconvertible{NoCounterpartText};
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find(' ', start), text.size());
            const std::string word = text.substr(start, end - start);
            if (!word.empty() &&
                (LookupCommand(word) != UnknownCode || procedures_.count(FoldCase(word))))
                throw Unconvertible{CommandWordInText};
            start = end + 1;
        }
        return text;
    }

    std::string ListText(std::span<const ClassicToken> items) {
        return JoinList(Instructions(items));
    }

    static bool AnyDeferred(const std::vector<Command>& commands) {
        for (const Command& command : commands)
            if (command.deferred) return true;
        return false;
    }

    // "stop" and "output" leave the procedure that runs them.
    static bool Leaves(const Command& command) {
        return command.text == "stop" || command.text.starts_with("output ");
    }

    // A list such as [repeat 3 [...] stop] needs a helper for its first
    // part, and a "stop" or "output" in a helper would leave only the helper.
    static bool EndsInLeaveAfterDeferred(const std::vector<Command>& commands) {
        return commands.size() > 1 && Leaves(commands.back()) &&
               AnyDeferred({commands.begin(), commands.end() - 1});
    }

    // "test", then "iftrue" and "iffalse". A branch that may run a test of
    // its own (it calls a procedure or runs a list) sets the test result
    // back at its end, so that the other branch keeps out. A branch that
    // ends in "stop" or "output" after such commands leaves in a list of its
    // own, so that it leaves the procedure.
    void Branches(const std::string& condition, std::vector<Command> yes, std::vector<Command> no,
                  std::vector<Command>& out) {
        out.push_back({"test " + condition});
        AppendBranch("iftrue", "test 1 == 1", std::move(yes), out);
        AppendBranch("iffalse", "test 1 == 0", std::move(no), out);
    }

    void AppendBranch(const char* command, const char* restore, std::vector<Command> list,
                      std::vector<Command>& out) {
        std::optional<Command> leave;
        if (EndsInLeaveAfterDeferred(list)) {
            leave = list.back();
            list.pop_back();
        }
        if (AnyDeferred(list) && !Leaves(list.back())) list.push_back({restore});
        if (!list.empty())
            out.push_back({std::string(command) + " [ " + JoinList(list) + " ]", true});
        if (leave) out.push_back({std::string(command) + " [ " + leave->text + " ]", true});
    }

    // The commands of a bracketed list joined with " ; ". When a deferred
    // command is followed by others, the list's commands move into a helper
    // procedure so that they run in the written order.
    std::string JoinList(const std::vector<Command>& commands) {
        if (commands.size() > 1 && AnyDeferred({commands.begin(), commands.end() - 1}))
            return Helper(commands);
        std::string text;
        for (const Command& command : commands)
            text += (text.empty() ? "" : " ; ") + command.text;
        return text;
    }

    // The helper takes all of the procedure's variables as inputs, so that
    // its commands read them as the procedure itself would.
    std::string Helper(const std::vector<Command>& commands) {
        std::string name;
        do
            name = procedure_->name + "_" + std::to_string(++helperCount_);
        while (procedures_.count(FoldCase(name)));
        const std::vector<std::string> variables = Variables();
        std::string body;
        for (const Command& command : commands)
            body += command.text + "\n";
        helpers.push_back({Header(name, variables), body});
        std::string call = name;
        for (std::size_t k = 0; k < variables.size(); ++k)
            call += (k == 0 ? " :" : ", :") + Renamed(variables[k]);
        return call;
    }

    const std::map<std::string, Procedure>& procedures_;
    const std::set<std::string> globals_;
    // The inputs and locals of every procedure.
    std::set<std::string> procedureVariables_;
    ConversionReport& report_;
    const Procedure* procedure_ = nullptr;
    bool main_ = false;
    // Whether the line being written reads "repcount" at all: most lines do
    // not, and their nested repeats need not be searched level by level.
    bool lineReadsRepcount_ = false;
    // The counters of the repeats being written, innermost last, and those
    // the procedure needs besides its own variables.
    std::vector<std::string> counters_;
    std::vector<std::string> extraLocals_;
    // The names variables get here, by their safe name.
    std::map<std::string, std::string> renamed_;
    int helperCount_ = 0;
    std::size_t flagCount_ = 0;
    std::size_t towardCount_ = 0;
    // Commands that work out a value the command being read needs (see
    // Towards); they go before it.
    std::vector<Command> before_;
    int depth_ = 0;
};

bool IsWord(const ClassicLine& line, const char* word) {
    return !line.tokens.empty() && line.tokens[0].kind == ClassicToken::Word &&
           FoldCase(line.tokens[0].text) == word;
}

// "local" and "localmake" anywhere in the body declare locals.
void CollectLocals(Procedure& procedure) {
    for (const ClassicLine& line : procedure.lines) {
        const auto& t = line.tokens;
        for (std::size_t k = 0; k + 1 < t.size(); ++k) {
            if (t[k].kind != ClassicToken::Word) continue;
            const std::string word = FoldCase(t[k].text);
            // The counter of "for [i 1 10]" is local to the loop.
            if (word == "for" && t[k + 1].kind == ClassicToken::Open && k + 2 < t.size() &&
                t[k + 2].kind == ClassicToken::Word)
                AddVariable(procedure.locals, SafeName(t[k + 2].text));
            if (word != "local" && word != "localmake") continue;
            for (std::size_t j = k + 1; j < t.size(); ++j) {
                if (t[j].kind == ClassicToken::Quoted ||
                    (t[j].kind == ClassicToken::Word && j > k + 1))
                    AddVariable(procedure.locals, SafeName(t[j].text));
                else if (t[j].kind != ClassicToken::Open)
                    break;
                if (word == "localmake") break;
            }
        }
    }
    std::erase_if(procedure.locals, [&](const std::string& name) {
        for (const std::string& input : procedure.inputs)
            if (input == name) return true;
        return false;
    });
}

// The names "make" sets as globals: anywhere in the main procedure, and in
// a procedure when the name is none of its inputs and locals.
std::set<std::string> MadeGlobals(const Procedure& main,
                                  const std::map<std::string, Procedure>& procedures) {
    std::set<std::string> globals;
    const auto collect = [&](const Procedure& procedure, bool all) {
        const std::vector<std::string> own = procedure.Variables();
        for (const ClassicLine& line : procedure.lines) {
            const auto& t = line.tokens;
            for (std::size_t k = 0; k + 1 < t.size(); ++k) {
                if (t[k].kind != ClassicToken::Word || FoldCase(t[k].text) != "make" ||
                    t[k + 1].kind != ClassicToken::Quoted)
                    continue;
                const std::string name = SafeName(t[k + 1].text);
                if (all || std::ranges::count(own, name) == 0) globals.insert(name);
            }
        }
    };
    collect(main, true);
    for (const auto& [key, procedure] : procedures)
        collect(procedure, false);
    return globals;
}

// The header of a "to" line: the name, then the inputs. Optional inputs
// ("[:size 10]") have no counterpart and are reported.
bool ReadHeader(const ClassicLine& line, Procedure& procedure, ConversionReport& report) {
    const auto& t = line.tokens;
    if (t.size() < 2 || t[1].kind == ClassicToken::Variable) {
        report.Drop(line.line, TokensText(t, 0, t.size()), UnknownClassicWordText);
        return false;
    }
    procedure.name = t[1].text;
    for (std::size_t k = 2; k < t.size(); ++k) {
        if (t[k].kind == ClassicToken::Variable) {
            procedure.inputs.push_back(SafeName(t[k].text));
            continue;
        }
        report.Drop(line.line, TokensText(t, k, t.size()), NoCounterpartText);
        break;
    }
    return true;
}

} // namespace

std::vector<ConvertedProcedure> ClassicConverter::Convert(std::string_view text,
                                                          ConversionReport& report) const {
    std::map<std::string, Procedure> procedures;
    std::vector<std::string> order;
    Procedure main;
    Procedure* current = nullptr;
    Procedure pending;
    for (ClassicLine& line : ReadClassicLines(text, report)) {
        if (current == nullptr && IsWord(line, "to")) {
            pending = Procedure();
            if (ReadHeader(line, pending, report)) current = &pending;
        } else if (current != nullptr && IsWord(line, "end")) {
            const std::string key = FoldCase(current->name);
            if (!procedures.count(key)) order.push_back(key);
            procedures[key] = std::move(*current);
            current = nullptr;
        } else {
            (current ? current : &main)->lines.push_back(std::move(line));
        }
    }
    if (current != nullptr) {
        const std::string key = FoldCase(current->name);
        if (!procedures.count(key)) order.push_back(key);
        procedures[key] = std::move(*current);
    }
    for (auto& [key, procedure] : procedures)
        CollectLocals(procedure);
    // A file procedure may carry the main procedure's name.
    main.name = mainName_;
    while (procedures.count(FoldCase(main.name)))
        main.name += "_";

    Writer writer(procedures, MadeGlobals(main, procedures), report);
    // The main procedure starts like a fresh classic turtle: a clear
    // picture, the pen down and the turtle facing up.
    std::vector<ConvertedProcedure> result{writer.Write(main, "reset\nleft 90\n", true)};
    for (const std::string& key : order)
        result.push_back(writer.Write(procedures.at(key), "", false));
    result.insert(result.end(), writer.helpers.begin(), writer.helpers.end());
    report.SortByLine();
    return result;
}

} // namespace mivarelo
