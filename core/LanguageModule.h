#pragma once
// Interface texts by numeric id, read from one UTF-8 text file per language
// ("turkish.txt", "english.txt") found beside the executable or in the
// installed data folder (see LanguageDirectory). Texts come back
// in Windows-1254, at most 499 bytes. A missing file gives empty texts.
//
// File format: one entry per line, "id<TAB>text". In the text "\n" stands for
// a line break, "\t" for a tab and "\\" for a backslash; any other backslash is
// kept as it stands. Lines starting with '#', blank lines and lines without a
// numeric id and a tab are ignored; a later entry for an id replaces an
// earlier one. A UTF-8 byte-order mark and carriage returns are dropped.
#include <string>
#include <string_view>

namespace mivarelo {

class ProcedureStore;

constexpr int LanguageTextMaxBytes = 499;

// Loads the file of the interface language of the global settings (English
// when EnglishInterface is set), replacing every text of the module loaded
// before; a missing file leaves no module, so every text is empty. Then the
// names of the two predefined variables are refreshed: the old names are
// kept in OldLengthVariableName/OldAngleVariableName, the new ones come from
// texts StepLengthVariableId and ArcAngleVariableId (a missing text keeps the
// name), each variable takes over the value of its old name (40 and 360 when
// that is 0), a variable whose
// name changed is removed, and the old names are replaced by the new ones
// wherever they stand as whole words in the procedures of `procedures` (when
// given). Returns true when a file was loaded.
bool LoadLanguageModule(ProcedureStore* procedures = nullptr);
// True while a language file is loaded.
bool LanguageModuleLoaded();
// The text of `id`, or the empty text when no module is loaded or the id is missing.
std::string GetLanguageString(int id);
// The folder the language files are read from; by default the folder of the
// running executable when a language file lies there, else the installed
// <executable folder>/../share/mivarelo/lang when one lies there, else the
// folder of the executable. An empty folder restores the default.
void SetLanguageDirectory(const std::string& dir);
std::string LanguageDirectory();
// "english.txt" or "turkish.txt".
const char* LanguageFileName(bool english);

// The conversions of a printf format, one letter each: 'd' for an int
// conversion (d, i), 's' for a text (s). "%%" counts as no conversion. False
// when the format holds anything else: another conversion, a '*' width, a
// length modifier, a width or precision of more than three digits, a flag
// that does not suit the conversion, or a lone '%' at the end.
bool FormatConversions(std::string_view format, std::string& letters);

} // namespace mivarelo
