#include "widgets/DialogButtons.h"

#include <QPushButton>

#include <algorithm>

namespace mivarelo {

namespace {

constexpr int DialogButtonMinHeight = 25;
// Room beside the caption, so that it never touches the button's frame.
constexpr int CaptionPadding = 24;

} // namespace

void SizeButton(QPushButton* button) {
    const int captionWidth = button->fontMetrics().horizontalAdvance(button->text());
    button->resize(std::max(DialogButtonMinWidth, captionWidth + CaptionPadding),
                   std::max(DialogButtonMinHeight, button->sizeHint().height()));
}

} // namespace mivarelo
