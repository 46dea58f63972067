#include "widgets/QtText.h"

#include "core/Encoding.h"
#include "core/LanguageModule.h"

namespace mivarelo {

QString ToQt(std::string_view cp1254) {
    return QString::fromStdString(Cp1254ToUtf8(cp1254));
}

std::string FromQt(const QString& text) {
    return Utf8ToCp1254(text.toStdString());
}

QString LanguageText(int id) {
    return ToQt(GetLanguageString(id));
}

} // namespace mivarelo
