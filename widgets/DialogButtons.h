#pragma once
// The size of a push button on the program's own dialogs, shared by every
// form so that their buttons look alike: a standard width unless the caption
// needs more, and the height the font asks for.
class QPushButton;

namespace mivarelo {

// The standard width of a dialog button, in pixels.
inline constexpr int DialogButtonMinWidth = 75;

// Resizes `button` to its standard size, widened for a long caption.
void SizeButton(QPushButton* button);

} // namespace mivarelo
