#pragma once
// Interface texts by numeric id, read from one UTF-8 text file per language
// ("turkish.txt", "english.txt") found beside the executable. Texts come back
// in Windows-1254, at most 499 bytes. A missing file gives empty texts.
#include <string>

namespace mivarelo {

// Loads the file of the interface language of the global settings (English
// when EnglishInterface is set) and refreshes the names of the two predefined
// variables. Returns true when a file was loaded.
bool LoadLanguageModule();
// The text of `id`, or the empty text when no module is loaded or the id is missing.
std::string GetLanguageString(int id);
// The folder the language files are read from; by default the folder of the
// running executable.
void SetLanguageDirectory(const std::string& dir);
std::string LanguageDirectory();

} // namespace mivarelo
