#pragma once
// The loop element of a running list: what a "for", "while", "until",
// "dowhile" or "dountil" adds to the plain repetition of a list.
#include <string>

namespace mivarelo {

struct DonguUnsur {
    std::string Init;         // assignment run once before the first iteration
    std::string Condition;    // tested between iterations (and first, with TestFirst)
    std::string Step;         // assignment run after each test
    bool ContinueWhen = true; // the loop goes on while the condition gives this
    bool TestFirst = false;   // the condition is tested before the first iteration

    // False for an empty condition; otherwise whether the condition's value
    // (0 or 1) equals ContinueWhen.
    bool CheckLoop() const;
};

} // namespace mivarelo
