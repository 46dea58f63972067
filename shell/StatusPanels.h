#pragma once
// The texts of the status bar panels: printf formats from the interface
// language filled with the turtle's numbers. A format whose conversions do
// not match what the panel passes is shown as it stands, never expanded.
#include <QString>

#include <initializer_list>
#include <string>

namespace mivarelo {

class StatusPanels {
public:
    // The format of `id` with two integers (%d %d), one text (%s) or nothing.
    static QString Format(int id, std::initializer_list<int> numbers, const std::string& text = {});
    // A heading with one decimal.
    static std::string Heading(float heading);
};

} // namespace mivarelo
