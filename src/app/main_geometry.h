// Torvi: the main window's designed geometry, in twips, and the start-up sizing of the page.
#pragma once

#include "ui/twips.h"

namespace torvi {

namespace MainDesign {
inline constexpr int ClientWidth = 11880; // restored client area
inline constexpr int ClientHeight = 8310;

inline constexpr TwipRect cmdIndietro{120, 0, 700, 700};
inline constexpr TwipRect cmdAvanti{840, 0, 700, 700};
inline constexpr TwipRect cmdRefresh{1560, 0, 700, 700};
inline constexpr TwipRect cmdHome{2280, 0, 700, 700};
inline constexpr TwipRect Command3{3000, 0, 700, 700};
inline constexpr TwipRect cmdInfo{3720, 0, 700, 700};
inline constexpr TwipRect Command2{4440, 0, 700, 700};
inline constexpr TwipRect Text1{5280, 120, 9015, 405};
inline constexpr TwipRect Image1{14280, 0, 570, 525};
inline constexpr TwipRect Image2{15840, 120, 735, 495};
inline constexpr TwipRect List1{14400, 600, 2175, 2955};
inline constexpr TwipRect Shape1{0, 0, 19095, 735};
inline constexpr TwipRect WebBrowser1{120, 840, 16575, 12375};
inline constexpr TwipRect WebBrowser2{120, 840, 14775, 10815};
inline constexpr TwipRect listDanger{120, 840, 16575, 12315};
inline constexpr TwipRect WebBrowser3{480, 2640, 6495, 5055};
inline constexpr TwipRect Text2{840, 1920, 2895, 285};
inline constexpr int StatusBar2Height = 375;
inline constexpr int StatusBar1Height = 30;
inline constexpr int StatusBar2Panels[4] = {5440, 2440, 2800, 1440};
} // namespace MainDesign

// The page size the start-up gives the main engine, from the window's outer size:
// W - W / 20 by H - H / 20, in single precision.
struct PageAreaSize
{
    float width;
    float height;
};

inline PageAreaSize startupPageArea(float outerWidth, float outerHeight)
{
    return {outerWidth - outerWidth / 20.0f, outerHeight - outerHeight / 20.0f};
}

} // namespace torvi
