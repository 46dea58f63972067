#pragma once
// Colour values of the turtle: red in bits 0-7, green in 8-15, blue in 16-23
// (the layout users and saved programs see), and their conversion to the
// 0xffRRGGBB pixels of the picture.
#include <QRgb>

#include <cstdint>

namespace mivarelo {

using ColorValue = std::uint32_t;

constexpr ColorValue BlackColor = 0x000000;
constexpr ColorValue WhiteColor = 0xFFFFFF;
// The answer for a pixel outside the picture; no real colour has the top byte set.
constexpr ColorValue InvalidColor = 0xFFFFFFFF;

constexpr ColorValue MakeColor(int red, int green, int blue) {
    return static_cast<ColorValue>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}

constexpr QRgb ToPixel(ColorValue c) {
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

constexpr ColorValue FromPixel(QRgb p) {
    return (p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16;
}

} // namespace mivarelo
