// Torvi: the main window's layout arithmetic, in single precision as designed.
#include "app/main_layout.h"

namespace torvi {

void startupLayout(MainLayout &layout, float outerWidth, float outerHeight)
{
    const PageAreaSize page = startupPageArea(outerWidth, outerHeight);
    layout.webBrowser1Width = page.width;
    layout.webBrowser1Height = page.height;
    layout.listDangerWidth = page.width;
    layout.listDangerHeight = page.height;
    layout.webBrowser2Width = page.width;
    layout.webBrowser2Height = page.height;
}

int formResize(MainLayout &l, float W, float H)
{
    constexpr float RightMargin = 300;
    constexpr float BottomAllowance = 500;
    constexpr float Inset = 60;

    l.image2Left = W - (l.image2Width + RightMargin); // 2
    l.list1Left = W - (l.list1Width + RightMargin);   // 3
    l.webBrowser1Left = 100;                          // 4
    const float pageWidth = W - RightMargin;          // 5
    if (pageWidth < 0)
        return 4;
    l.webBrowser1Width = pageWidth;
    const float pageHeight = H - (l.webBrowser1Top + l.statusBar2Height + BottomAllowance); // 6
    if (pageHeight < 0)
        return 5;
    l.webBrowser1Height = pageHeight;
    const float listWidth = l.webBrowser1Width - Inset; // 7
    if (listWidth < 0)
        return 6;
    l.listDangerWidth = listWidth;
    l.listDangerHeight = l.webBrowser1Height;            // 8
    const float toolsWidth = l.webBrowser1Width - Inset; // 9
    if (toolsWidth < 0)
        return 8;
    l.webBrowser2Width = toolsWidth;
    l.webBrowser2Height = l.webBrowser1Height;                        // 10
    l.image1Left = W - (l.image1Width + RightMargin + l.image2Width); // 11
    const float addressWidth =
        l.image1Left - (l.command2Left + l.command2Width + RightMargin); // 12
    if (addressWidth < 0)
        return 11;
    l.text1Width = addressWidth;
    return 12;
}

} // namespace torvi
