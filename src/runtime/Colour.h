#pragma once

#include <QColor>
#include <cstdint>

namespace rt {

// Colours travel through the program as 0x00BBGGRR integers, the way the design names them.
using Colour = std::uint32_t;

inline QColor toQColor(Colour c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline constexpr Colour rgb(int r, int g, int b) {
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}

// The theme's named colours.
inline constexpr Colour Orange = 0x80FF;
inline constexpr Colour DarkGrey = 0x404040;
inline constexpr Colour NearBlack = 0x202020;
inline constexpr Colour Silver = 0xC0C0C0;
inline constexpr Colour Red = 0xFF;
inline constexpr Colour Green = 0xFF00;
inline constexpr Colour White = 0xFFFFFF;
inline constexpr Colour Black = 0x0;
inline constexpr Colour LightGrey = 0xE0E0E0;

// Window positions and sizes of the design are in twips: 15 twips make one pixel.
inline constexpr int TwipsPerPixel = 15;
inline constexpr int twipsToPixels(double twips) {
    return int(twips / TwipsPerPixel);
}
inline constexpr double pixelsToTwips(int pixels) {
    return double(pixels) * TwipsPerPixel;
}

} // namespace rt
