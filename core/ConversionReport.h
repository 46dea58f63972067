#pragma once
// What a program conversion could not carry over, line by line, and the notes
// it has for the user. Nothing a conversion leaves out goes unmentioned: every
// dropped line or command is listed here with its line number in the file and
// the reason, and the runner and the main window show the list.
#include <string>
#include <vector>

namespace mivarelo {

// Why a command was dropped, or what a note says; Lines() gives each its
// interface text.
enum ConversionText {
    NoCounterpartText,
    UnknownClassicWordText,
    MissingInputText,
    NumberExpectedText,
    OneComparisonText,
    UnbalancedBracketsText,
    ColourExpectedText,
    PreciseTurnedOnText,
    OutsideProcedureText,
    CallerInputText,
    CommandWordInText,
};

struct ConversionEntry {
    int line = 0;     // 1-based line number in the file; 0 for a note
    std::string text; // the command as written (Windows-1254)
    ConversionText reason = NoCounterpartText;
};

class ConversionReport {
public:
    // A line or command that was left out.
    void Drop(int line, std::string text, ConversionText reason);
    // A note that does not mean anything was lost.
    void Note(ConversionText text);
    // A variable that has another name in the converted program.
    void Rename(std::string from, std::string to);

    // Puts the dropped items in the order of their lines in the file.
    void SortByLine();

    bool AnyDropped() const { return !dropped_.empty(); }
    bool Empty() const { return dropped_.empty() && notes_.empty() && renamed_.empty(); }
    const std::vector<ConversionEntry>& Dropped() const { return dropped_; }
    const std::vector<ConversionText>& Notes() const { return notes_; }
    // One line per entry in the interface language (Windows-1254): the notes
    // first, then the renamed variables, then "<prefix> <line>: '<command>'
    // (<reason>)" per dropped item.
    std::vector<std::string> Lines() const;

private:
    std::vector<ConversionEntry> dropped_;
    std::vector<ConversionText> notes_;
    std::vector<std::pair<std::string, std::string>> renamed_;
};

} // namespace mivarelo
