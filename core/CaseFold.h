#pragma once
// Lower-casing of Windows-1254 text. Neither function depends on the process
// locale.
#include <string>
#include <string_view>

namespace mivarelo {

// Platform lower-casing used for procedure names, variable names and function
// names: A-Z, the accented capitals, 'I' -> 'i' and 'İ' (0xDD) -> 'i'.
char PlatformLowerChar(char c);
std::string PlatformLower(std::string_view text);
// Case-insensitive equality under PlatformLower.
bool PlatformEqualsIgnoreCase(std::string_view a, std::string_view b);

// Turkish fold used by keyword lookup: "ÇĞÖŞÜİI" -> "çğöşüiı" (so 'I'
// becomes the dotless 'ı'), otherwise A-Z -> a-z.
std::string TurkishLower(std::string_view text);

} // namespace mivarelo
