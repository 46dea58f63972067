#include "shell/StatusPanels.h"

#include "core/LanguageModule.h"
#include "widgets/QtText.h"

#include <cstdio>
#include <vector>

namespace mivarelo {

QString StatusPanels::Format(int id, std::initializer_list<int> numbers, const std::string& text) {
    const std::string format = GetLanguageString(id);
    std::string letters;
    if (!FormatConversions(format, letters)) return ToQt(format);
    const std::vector<int> n(numbers);
    char buffer[600];
    if (letters == "dd" && n.size() == 2)
        std::snprintf(buffer, sizeof buffer, format.c_str(), n[0], n[1]);
    else if (letters == "s" && n.empty())
        std::snprintf(buffer, sizeof buffer, format.c_str(), text.c_str());
    else if (letters.empty())
        return ToQt(format).replace(QStringLiteral("%%"), QStringLiteral("%"));
    else
        return ToQt(format);
    return ToQt(buffer);
}

std::string StatusPanels::Heading(float heading) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(heading));
    return buffer;
}

} // namespace mivarelo
