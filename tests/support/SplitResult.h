#pragma once
// The outcome of a function that splits a text into two parts through output
// parameters, held as one comparable value so that a test states it in one
// expectation.
#include <ostream>
#include <string>
#include <string_view>

namespace mivarelo::support {

struct SplitResult {
    bool found = false;
    std::string first;
    std::string second;
    bool operator==(const SplitResult&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const SplitResult& s) {
    return out << (s.found ? "found" : "not found") << " [" << s.first << "] [" << s.second << "]";
}

// Calls split(text, first, second) with both outputs holding a stale text
// beforehand, so that outputs a split leaves alone show up.
template <class Split> SplitResult SplitWith(Split split, std::string_view text) {
    SplitResult result{false, "stale", "stale"};
    result.found = split(text, result.first, result.second);
    return result;
}

} // namespace mivarelo::support
