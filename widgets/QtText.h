#pragma once
// The one crossing between the Windows-1254 bytes of the core and engine and
// the Unicode text of Qt. Windows and dialogs convert here and nowhere else.
#include <QString>

#include <string>
#include <string_view>

namespace mivarelo {

QString ToQt(std::string_view cp1254);
// Characters without a Windows-1254 byte become '?'.
std::string FromQt(const QString& text);
// The interface text of `id` in the loaded language, as Qt text.
QString LanguageText(int id);

} // namespace mivarelo
