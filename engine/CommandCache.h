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
#include "core/TextReaders.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mivarelo {

class AssignmentProgram;
class ListCommandPlan;

// A text shared by everything that reads parts of it: the lists nested in a
// command are parts of the command's text, not copies.
using SharedText = std::shared_ptr<const std::string>;

struct ParsedCommand {
    CommandCode code = UnknownCode; // of the command word; 0 for none
    SharedText owner;               // the text that holds `text`
    std::string_view text;          // the whole command text
    std::size_t argumentStart = 0;  // the argument text is what follows the command word
    // For a command without a command word, kept in the cache: the text
    // analysed as an assignment.
    std::shared_ptr<const AssignmentProgram> assignment;
    // For a repeat, if or test command kept in the cache: its analysed form.
    std::shared_ptr<const ListCommandPlan> listPlan;

    std::string_view Argument() const { return text.substr(argumentStart); }
};

using ParsedPiece = std::vector<ParsedCommand>;

class CommandCache {
public:
    // Forgets every piece unless they were stored in this run with these
    // options and procedure headers; true when it forgot.
    bool Validate(std::uint64_t run, bool acceptSpace, bool autoCorrect, const StringList& headers);
    // The stored commands of `piece`, or null.
    const ParsedPiece* Find(std::string_view piece) const;
    // Stores the commands of `piece`; the result stays valid until the next
    // Validate that forgets.
    const ParsedPiece& Store(std::string_view piece, ParsedPiece commands);
    // The same by the place of the piece instead of its text, for pieces of
    // a shared text, `holder`: a list nested deeply is then found without
    // reading or copying it. The entry keeps the holder alive, so that its
    // place stands for the same text as long as the entry lasts.
    const ParsedPiece* FindAt(std::string_view piece) const;
    const ParsedPiece& StoreAt(std::string_view piece, SharedText holder, ParsedPiece commands);
    // The bracket table of `owner` (see MatchBrackets), made once and kept
    // with the pieces while the tables kept stay below MaxMatchedBytes.
    std::shared_ptr<const BracketMatches> MatchesOf(const SharedText& owner);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };

    // More distinct pieces than this in one run: start afresh rather than grow.
    static constexpr std::size_t MaxPieces = 4096;
    // A table takes four bytes per byte of its text: past this many text
    // bytes the tables are dropped, and made again if needed.
    static constexpr std::size_t MaxMatchedBytes = std::size_t{1} << 24;

    struct PlaceHash {
        std::size_t operator()(const std::pair<const char*, std::size_t>& place) const {
            return std::hash<const char*>{}(place.first) ^ (place.second * 0x9e3779b97f4a7c15ull);
        }
    };

    std::unordered_map<std::string, ParsedPiece, Hash, std::equal_to<>> pieces_;
    std::unordered_map<std::pair<const char*, std::size_t>, std::pair<SharedText, ParsedPiece>,
                       PlaceHash>
        places_;
    // The place found or stored last, as last_ is for the texts.
    mutable const decltype(places_)::value_type* lastPlace_ = nullptr;
    // Keyed by the text, which the entry keeps alive.
    std::unordered_map<const std::string*,
                       std::pair<SharedText, std::shared_ptr<const BracketMatches>>>
        matches_;
    std::size_t matchedBytes_ = 0;
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
