#pragma once
// What the editor's completion offers: the keywords of the dialect the
// program is written in and the procedures of the program with their
// argument names.
#include <QString>

#include <vector>

namespace mivarelo {

class ProcedureStore;

struct CompletionWord {
    QString shown;    // "kare :boy"
    QString inserted; // "kare"
};

// The keywords of the chosen dialect (before a dialect is chosen, the long
// and short keywords of the interface language), then the procedures of
// `store` but the main procedure, sorted without regard to case.
std::vector<CompletionWord> CompletionWords(const ProcedureStore* store);

} // namespace mivarelo
