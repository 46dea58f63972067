#pragma once
// The variable store: one table of globals and a stack of argument frames.
// Values are stored as text with one decimal ("%.1f").
#include "core/StringList.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

constexpr float NoValue = -10000.0f;
bool IsNameChar(char c);

// Where _nerdex and _nerdey read the turtle position from.
class TurtlePosition {
public:
    virtual ~TurtlePosition() = default;
    virtual int TurtleX() const = 0;
    virtual int TurtleY() const = 0;
};

// SplitList of the variable store: none (nullopt) for an empty result.
std::optional<StringList> SplitList(std::string_view text, char separator, bool evaluate,
                                    bool stripPrefix);

class MyArgumanType {
public:
    std::optional<StringList> values;
    std::optional<StringList> names;

    static MyArgumanType Empty(); // both lists present and empty
    int IndexOf(std::string_view name) const;
    float GetValue(std::string_view name) const;
    void SetValue(std::string_view name, float value);
    bool Remove(std::string_view name);
    std::string Describe() const;
};

class MyArgumanTypeler {
public:
    void Push(MyArgumanType frame);
    MyArgumanType* Get(int position);
    MyArgumanType* Top();
    bool RemoveAt(int position);
    int Count() const;
    int Capacity() const;

private:
    std::vector<std::unique_ptr<MyArgumanType>> items_;
    int capacity_ = 10;
};

class Degiskenler {
public:
    Degiskenler();
    float GetVariable(std::string_view name) const;
    void SetVariable(std::string_view name, float value);
    bool RemoveFrameVariable(std::string_view name);
    // Removes a global (a predefined variable renamed by a language switch).
    bool RemoveGlobalVariable(std::string_view name) { return globals_.Remove(name); }
    void PushFrame(std::string_view valuesText, std::string_view namesText);
    void PopFrame();
    std::string DescribeTopFrame() const;
    const MyArgumanType& Globals() const { return globals_; }
    MyArgumanTypeler& Frames() { return frames_; }
    void AttachScreen(const TurtlePosition* screen) { screen_ = screen; }

private:
    MyArgumanTypeler frames_;
    MyArgumanType globals_;
    const TurtlePosition* screen_ = nullptr;
};

// The process-wide store; null until one is installed (the main window or the
// engine creates it). Every free function does nothing without it.
Degiskenler* SetVariableStore(Degiskenler* store);
Degiskenler* VariableStore();
float GetVariable(std::string_view name);
void SetVariable(std::string_view name, float value);
bool RemoveFrameVariable(std::string_view name);
void PushFrame(std::string_view valuesText, std::string_view namesText);
void PopFrame();
std::string DescribeTopFrame();

} // namespace mivarelo
