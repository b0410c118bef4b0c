// Torvi: the favorites panel's designed geometry, in twips. The controls are placed inside
// Frame1; Frame1 itself moves to the page's place each time the panel opens.
#pragma once

#include "ui/twips.h"

namespace torvi::FavoritesDesign {

inline constexpr TwipRect Frame1{6480, 1320, 7095, 11655};
inline constexpr TwipRect Command1{360, 600, 6495, 495};
inline constexpr TwipRect ListView1{360, 1200, 6495, 6975};
inline constexpr TwipRect Label1{360, 8280, 615, 195};
inline constexpr TwipRect txtNomePreferiti{1080, 8280, 5775, 285};
inline constexpr TwipRect Label2{360, 8640, 1095, 255};
inline constexpr TwipRect txtUrlPreferiti{1560, 8640, 5295, 285};
inline constexpr TwipRect cmdNuovoPreferiti{360, 9240, 1695, 255};
inline constexpr TwipRect cmdModificaPreferiti{2040, 9240, 2895, 255};
inline constexpr TwipRect cmdEliminaPreferiti{4920, 9240, 1935, 255};

} // namespace torvi::FavoritesDesign
