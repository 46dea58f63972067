#pragma once
// The loop element of a running list: what a "for", "while", "until",
// "dowhile" or "dountil" adds to the plain repetition of a list.
#include "engine/AssignmentProgram.h"
#include "engine/ConditionProgram.h"

#include <optional>
#include <string>

namespace mivarelo {

struct LoopElement {
    std::string Init;         // assignment run once before the first iteration
    std::string Condition;    // tested between iterations (and first, with TestFirst)
    std::string Step;         // assignment run after each test
    bool ContinueWhen = true; // the loop goes on while the condition gives this
    bool TestFirst = false;   // the condition is tested before the first iteration

    // Analyses the three texts once (see ConditionProgram and
    // AssignmentProgram); the loop then runs from these forms, with the same
    // results. Without it the texts are read at every use.
    void Analyse();
    // False for an empty condition; otherwise whether the condition's value
    // (0 or 1) equals ContinueWhen.
    bool CheckLoop() const;
    // The initialisation and the step, as ExecuteAssignment runs them.
    void RunInit() const;
    void RunStep() const;

private:
    std::optional<ConditionProgram> conditionPlan_;
    std::optional<AssignmentProgram> initPlan_;
    std::optional<AssignmentProgram> stepPlan_;
};

} // namespace mivarelo
