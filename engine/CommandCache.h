#pragma once
// Pieces of program lines already cut into commands and looked up. A line
// that runs again and again (a loop body, a recursive procedure) is then
// normalized and looked up once per run instead of at every pass.
//
// What a piece becomes depends on the procedure headers (the names and their
// places in the store) and on the AcceptSpace and AutoCorrectErrors options.
// The cache is therefore kept for one run, one set of options and one list
// of headers; a procedure added, deleted or renamed during a run, or an
// option switched, starts it afresh.
// A piece whose normalization reported an unknown word is never stored, so
// that its error line comes again each time the piece runs.
#include "core/Keywords.h"
#include "core/StringList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mivarelo {

class AssignmentProgram;
class ListCommandPlan;

struct ParsedCommand {
    CommandCode code = UnknownCode; // of the command word; 0 for none
    std::string text;               // the whole command text
    std::size_t argumentStart = 0;  // the argument text is what follows the command word
    // For a command without a command word, kept in the cache: the text
    // analysed as an assignment.
    std::shared_ptr<const AssignmentProgram> assignment;
    // For a repeat, if or test command kept in the cache: its analysed form.
    std::shared_ptr<const ListCommandPlan> listPlan;

    std::string_view Argument() const { return std::string_view(text).substr(argumentStart); }
};

using ParsedPiece = std::vector<ParsedCommand>;

class CommandCache {
public:
    // Forgets every piece unless they were stored in this run with these
    // options and procedure headers.
    void Validate(std::uint64_t run, bool acceptSpace, bool autoCorrect, const StringList& headers);
    // The stored commands of `piece`, or null.
    const ParsedPiece* Find(std::string_view piece) const;
    // Stores the commands of `piece`; the result stays valid until the next
    // Validate that forgets.
    const ParsedPiece& Store(std::string_view piece, ParsedPiece commands);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };

    // More distinct pieces than this in one run: start afresh rather than grow.
    static constexpr std::size_t MaxPieces = 4096;

    std::unordered_map<std::string, ParsedPiece, Hash, std::equal_to<>> pieces_;
    // The entry found or stored last: a loop body of one line asks for the
    // same piece again and again, and a comparison is cheaper than a hash.
    // The map keeps its entries in place until they are erased.
    mutable const std::pair<const std::string, ParsedPiece>* last_ = nullptr;
    StringList headers_;
    std::uint64_t run_ = 0;
    bool acceptSpace_ = false;
    bool autoCorrect_ = false;
};

} // namespace mivarelo
