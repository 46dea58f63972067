#include "shell/StatusPanels.h"

#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/Numbers.h"
#include "engine/TurtleState.h"
#include "widgets/QtText.h"

#include <QLabel>
#include <QStatusBar>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace mivarelo {

namespace {

constexpr std::array<int, 8> PanelWidths = {100, 100, 100, 100, 150, 150, 150, 150};

} // namespace

// The bar may be narrower than its panels: on a narrow screen the last
// ones are cut off rather than the window growing beyond the screen.
StatusPanels::StatusPanels(QStatusBar* bar) {
    bar->setMinimumWidth(PanelWidths[0]);
    for (QLabel*& panel : panels_) {
        panel = new QLabel(bar);
        bar->addWidget(panel);
    }
}

void StatusPanels::Refresh(const TurtleState& t) {
    const std::array<QString, 7> texts = {
        Format(PositionFormatId, {t.TurtleX, t.TurtleY}),
        Format(HomeFormatId, {t.HomeX, t.HomeY}),
        Format(t.PenIsDown ? PenDownFormatId : PenUpFormatId, {}),
        Format(HeadingFormatId, {}, Heading(t.Heading)),
        Format(PenColourFormatId, {}, ColorToListText(t.PenColor)),
        Format(FillColourFormatId, {}, ColorToListText(t.FillColor)),
        Format(ScreenColourFormatId, {}, ColorToListText(t.ScreenColor)),
    };
    for (std::size_t k = 0; k < texts.size(); ++k)
        panels_[k]->setText(texts[k]);
}

void StatusPanels::SizePanels() {
    const std::string widest = ColorToListText(0xFFFFFF);
    const std::array<QString, 8> longest = {
        Format(PositionFormatId, {1999, 1999}),
        Format(HomeFormatId, {1999, 1999}),
        std::max(Format(PenDownFormatId, {}), Format(PenUpFormatId, {}),
                 [](const QString& a, const QString& b) { return a.size() < b.size(); }),
        Format(HeadingFormatId, {}, Heading(-359.9f)),
        Format(PenColourFormatId, {}, widest),
        Format(FillColourFormatId, {}, widest),
        Format(ScreenColourFormatId, {}, widest),
        Format(MouseFormatId, {1999, 1999}),
    };
    for (std::size_t k = 0; k < panels_.size(); ++k) {
        const int text = panels_[k]->fontMetrics().horizontalAdvance(longest[k]) + 12;
        panels_[k]->setFixedWidth(std::max(PanelWidths[k], text));
    }
}

void StatusPanels::ShowMouse(QPoint position) {
    panels_[7]->setText(Format(MouseFormatId, {position.x(), position.y()}));
}

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
