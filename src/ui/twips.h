// Torvi: the windows' designed geometry is in twips (1/1440 inch); the screen counts pixels.
#pragma once

#include <cmath>

namespace torvi {

inline constexpr double TwipsPerInch = 1440.0;

// A control's designed place: left, top, width and height in twips.
struct TwipRect
{
    int left;
    int top;
    int width;
    int height;
};

// 15 twips a pixel at 96 dots per inch.
inline int twipsToPixels(double twips, double dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / TwipsPerInch));
}

inline float pixelsToTwips(int pixels, double dotsPerInch)
{
    return static_cast<float>(pixels * TwipsPerInch / dotsPerInch);
}

} // namespace torvi
