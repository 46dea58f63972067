#pragma once
// A growable array of owned texts used as a stack by the expression
// evaluator. It starts with room for 10 texts; beyond that it grows
// geometrically, so that a very long expression still costs linear time.
#include <optional>
#include <string>
#include <vector>

namespace mivarelo {

class TextStack {
public:
    TextStack();

    void Push(std::string text);
    // Removes the last text and hands it over; none when empty.
    std::optional<std::string> Pop();
    // The last text, or null when empty.
    const std::string* Top() const;
    int Count() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    // Releases every text; the room already gained is kept.
    void Clear() { items_.clear(); }

private:
    std::vector<std::string> items_;
};

} // namespace mivarelo
