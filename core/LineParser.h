#pragma once
// Cutting free-form command text into commands. A command is the pair
// (command code of its first word, argument text); the argument text stays
// raw text until the command runs. The normalizer rewrites a line so that
// commands separated only by blanks become separate commands, each written as
// command word, blank, argument text and " ; ". Runs of blanks in normalized
// text carry no meaning: every reader skips them.
#include "core/Keywords.h"
#include "core/TextReaders.h"

#include <limits>
#include <string>
#include <string_view>

namespace mivarelo {

class ProcedureStore;

// The normalizer writes the lists of a line in its form at every depth; a
// list it wrote counts this many levels in that form (see LineDispatcher).
constexpr int AllLevelsNormalized = std::numeric_limits<int>::max();

// Rewrites `text` into normalized form; lists inside brackets are normalized
// as well. Words are looked up in `store` (may be null) before the keyword
// table. When both AcceptSpace and AutoCorrectErrors are set, an unknown word
// met before the first command that begins with a keyword ("ileri100") is
// split into that keyword and the rest, and reported with ReportUnknownWord;
// a variable's name is never split: the name of an assignment ("yabci = 360",
// "step := 100"), the repeat counter or a variable that exists.
std::string NormalizeLine(std::string_view text, const ProcedureStore* store);

// ')' for '(', ']' for '[', '}' for '{'; any other character unchanged.
char MatchingBracket(char c);

// Whether every closing bracket closes the innermost bracket still open,
// and of its own kind; brackets left open at the end are allowed. The
// readers count brackets of every kind alike, so in "[ fd 1) ; rt 90 ]" the
// ')' ends the list early: such text cannot be cut into commands safely.
bool ClosingBracketsMatch(std::string_view text);

// Finds the shortest prefix of `word` (after leading blanks) that is a
// keyword. On success `keyword` is the table form of that keyword and `rest`
// the characters after the prefix; both are emptied first.
bool SplitKeywordPrefix(std::string_view word, std::string& keyword, std::string& rest);

// The error-list entry for an unknown word on body line `lineNumber`.
std::string UnknownWordText(std::string_view word, int lineNumber);
// Whether a word that looks up as `code`, with `rest` glued after it, calls
// a procedure for its value ("double(50)" in "fd double(50)"): among a
// command's arguments it is part of them, not a command of its own.
bool IsValueCall(CommandCode code, std::string_view rest);
// An error line of the run: the text of `textId`, the word quoted, the line.
std::string ErrorLineText(int textId, std::string_view word, int lineNumber);

// Writes the error-list line for an unknown word (with the current line
// number), beeps and records the line as the last error line.
void ReportUnknownWord(std::string_view word);

// Splits off the command word (up to '[', '(', '{' or a blank, after leading
// blanks) and returns its code looked up with `store`. `rest` is the text
// after the word. An empty text returns 0 and leaves both outputs untouched.
CommandCode SplitCommandWord(const ProcedureStore* store, std::string_view text, std::string& word,
                             std::string& rest);

// The contents of the next bracketed list from the cursor on: the text before
// the first '[' is skipped, the matching ']' is consumed. Without a '[' the
// text from the cursor up to a ']' at depth zero is returned.
std::string ReadBlock(Cursor& c);
// ReadBlock from the start of `text`.
std::string FirstBlock(std::string_view text);
// The first two bracketed lists of `text` ("[a] [b [c]]" gives "a" and
// "b [c]"); both outputs are emptied first.
void TwoBlocks(std::string_view text, std::string& first, std::string& second);

// Splits "name := expression", or failing that "name = expression". An
// expression of blanks only counts as missing. The outputs keep their blanks.
bool SplitAssignment(std::string_view text, std::string& name, std::string& expression);
// Evaluates the expression of an assignment and stores it in the variable.
// False when the text is not an assignment.
bool ExecuteAssignment(std::string_view text);

} // namespace mivarelo
