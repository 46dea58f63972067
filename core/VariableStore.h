#pragma once
// The variable store: one table of globals and a stack of argument frames,
// one frame per running procedure call. Values are stored as text with one
// decimal ("%.1f"); a missing variable reads as 0.
#include "core/Numbers.h"
#include "core/StringList.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

// The result of a lookup that finds nothing. Stored values at or below it
// are indistinguishable from absent ones.
constexpr float NoValue = -10000.0f;
// The characters of variable names: '_', ':', letters and the Turkish letters.
bool IsNameChar(char c);

// The repeat counter, set by every running list before each pass under both
// names (English, then Turkish in Windows-1254); a program may read either.
inline constexpr std::string_view RepeatCounterNames[] = {"repcount", "d\xF6ng\xFCno"};
// Whether `name` is one of the repeat counter's names, in any letter case.
bool IsRepeatCounterName(std::string_view name);

// What the turtle's own names read: _nerdex and _nerdey its position,
// _nerdeyon its heading, _kalem its pen.
class TurtlePosition {
public:
    virtual ~TurtlePosition() = default;
    virtual double TurtleXValue() const = 0;
    virtual double TurtleYValue() const = 0;
    // Degrees clockwise from the right, as "seth" takes them.
    virtual double TurtleHeading() const = 0;
    virtual bool TurtlePenDown() const = 0;
};

// Splits at `separator` after skipping blanks before each item; empty items
// are skipped. With `evaluate` each item becomes its value with one decimal;
// with `stripPrefix` one leading '_' or ':' is removed. None (nullopt) when
// no item results.
std::optional<StringList> SplitList(std::string_view text, char separator, bool evaluate,
                                    bool stripPrefix);

// A variable's value as it is stored. Values are kept as text: with one
// decimal of a 32-bit float, as the language has always kept them, or, with
// the precise turtle on, every digit of the double (the shortest text that
// reads back as the same number), so that thirds and repeated divisions do
// not drift. `buffer` holds the text.
std::string_view ValueText(double value, char (&buffer)[FloatTextRoom]);
// The number a stored text stands for, under the same rule.
double StoredValue(std::string_view text);

// One table of variables: names beside values, compared ignoring case.
class VariableFrame {
public:
    std::optional<StringList> values;
    std::optional<StringList> names;

    static VariableFrame Empty(); // both lists present and empty
    // A procedure's frame: values are the comma-separated expressions, names
    // the blank-separated argument names with their prefix removed.
    static VariableFrame FromTexts(std::string_view valuesText, std::string_view namesText);
    int IndexOf(std::string_view name) const;
    double GetValue(std::string_view name) const;
    void SetValue(std::string_view name, double value);
    // SetValue with the value's text (see ValueText) already written.
    void SetText(std::string_view name, std::string_view valueText);
    bool Remove(std::string_view name);
    std::string Describe() const;
};

// The stack of argument frames. Room for ten frames at first; a push onto a
// full stack adds one slot.
class FrameStack {
public:
    void Push(VariableFrame frame);
    // Takes the frame over as it stands, without a copy.
    void Push(std::unique_ptr<VariableFrame> frame);
    VariableFrame* Get(int position);
    const VariableFrame* Get(int position) const;
    VariableFrame* Top();
    const VariableFrame* Top() const;
    bool RemoveAt(int position);
    int Count() const;
    int Capacity() const;

private:
    std::vector<std::unique_ptr<VariableFrame>> items_;
    int capacity_ = 10;
};

class VariableStore {
public:
    VariableStore();
    double GetVariable(std::string_view name) const;
    // Whether GetVariable finds the name (a global, a local of the innermost
    // call or a turtle coordinate) instead of reading it as a missing 0.
    bool HasVariable(std::string_view name) const;
    void SetVariable(std::string_view name, double value);
    // SetVariable of each name in turn, with the value's text written once.
    void SetVariables(std::initializer_list<std::string_view> names, double value);
    bool RemoveFrameVariable(std::string_view name);
    // Removes a global (a predefined variable renamed by a language switch).
    bool RemoveGlobalVariable(std::string_view name) { return globals_.Remove(name); }
    void PushFrame(std::string_view valuesText, std::string_view namesText);
    void PopFrame();
    std::string DescribeTopFrame() const;
    const VariableFrame& Globals() const { return globals_; }
    FrameStack& Frames() { return frames_; }
    const FrameStack& Frames() const { return frames_; }
    void AttachScreen(const TurtlePosition* screen) { screen_ = screen; }

private:
    // The turtle position for "_nerdex" and "_nerdey", its heading for
    // "_nerdeyon" and its pen for "_kalem" (1 down, 0 up; any case) once a
    // screen is attached; `found` tells whether the name was one of them.
    double TurtleCoordinate(std::string_view name, bool& found) const;
    void SetText(std::string_view name, std::string_view valueText);

    FrameStack frames_;
    VariableFrame globals_;
    const TurtlePosition* screen_ = nullptr;
};

// The process-wide store; null until one is installed (the main window or the
// engine creates it). Every free function does nothing without it.
VariableStore* SetVariableStore(VariableStore* store);
VariableStore* CurrentVariableStore();
double GetVariable(std::string_view name);
bool HasVariable(std::string_view name);
void SetVariable(std::string_view name, double value);
void SetVariables(std::initializer_list<std::string_view> names, double value);
bool RemoveFrameVariable(std::string_view name);
void PushFrame(std::string_view valuesText, std::string_view namesText);
void PopFrame();
std::string DescribeTopFrame();

} // namespace mivarelo
