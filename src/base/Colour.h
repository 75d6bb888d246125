#pragma once

#include <cstdint>

namespace listorix {

// A colour value as the program's tables and files hold it: blue, green and red
// bytes from the high byte to the low one (0x00BBGGRR). Some state uses -1 for
// "no colour taken yet", so the type is signed.
using TColor = std::int32_t;

inline constexpr TColor clBlack = 0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLightCyan = 16777088;  // RGB (128, 255, 255)
inline constexpr TColor clLightGreen = 8454016;  // RGB (128, 255, 128)
inline constexpr TColor clLightYellow = 8454143; // RGB (255, 255, 128)

inline constexpr TColor rgbColour(int red, int green, int blue)
{
    return static_cast<TColor>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}

} // namespace listorix
