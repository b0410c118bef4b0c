// Torvi: where the secondary window's controls go, in twips, at load and on every resize.
#pragma once

namespace torvi {

namespace SecondaryDesign {
inline constexpr int ClientWidth = 14880; // restored client area, at 60, 1290 on the screen
inline constexpr int ClientHeight = 11340;
inline constexpr int RestoredLeft = 60;
inline constexpr int RestoredTop = 1290;
inline constexpr int ButtonSize = 615;
inline constexpr int ButtonStep = 600; // neighbours overlap by 15
inline constexpr int Command2Left = 3600;
inline constexpr int StatusBarHeight = 375;
inline constexpr int StatusPanels[3] = {5440, 2440, 1800};
} // namespace SecondaryDesign

// The geometry AdjustLayout reads and writes, in twips; a window keeps one and applies it
// to its widgets. Starts at the designed places.
struct SecondaryLayout
{
    float picture1Left = 0;
    float picture1Width = 18975;
    float picture1Height = 615;
    float label1Left = 4320, label1Top = 0, label1Width = 2220, label1Height = 240;
    float txtUrlLeft = 4320, txtUrlTop = 240, txtUrlWidth = 12375, txtUrlHeight = 285;
    float image1Left = 16680, image1Top = 120, image1Width = 495, image1Height = 495;
    float engineLeft = 0, engineTop = 600, engineWidth = 18975, engineHeight = 13935;
    float command2Left = SecondaryDesign::Command2Left;
    float command2Width = SecondaryDesign::ButtonSize;
    float statusBarHeight = SecondaryDesign::StatusBarHeight;
};

// The load handler's sizing: the window loses 15 % of its outer height, the engine spans
// the width right of its left edge and 90 % of the new height. Returns the new outer height.
float secondaryLoadLayout(SecondaryLayout &layout, float outerWidth, float outerHeight);

// AdjustLayout for the outer size W × H: the toolbar strip, the engine, the logo and the
// address box, in that order. A width or height that would come out negative ends it there;
// what came before stays done.
void adjustSecondaryLayout(SecondaryLayout &layout, float outerWidth, float outerHeight);

} // namespace torvi
