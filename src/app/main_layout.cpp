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

// Each step reads what the steps before it set.
void formResize(MainLayout &l, float W, float H)
{
    constexpr float RightMargin = 300;
    constexpr float BottomAllowance = 500;
    constexpr float Inset = 60;

    // The menu button and its list, right-aligned under it.
    l.image2Left = W - (l.image2Width + RightMargin);
    l.list1Left = W - (l.list1Width + RightMargin);

    l.webBrowser1Left = 100;
    const float pageWidth = W - RightMargin;
    if (pageWidth < 0)
        return;
    l.webBrowser1Width = pageWidth;
    const float pageHeight = H - (l.webBrowser1Top + l.statusBar2Height + BottomAllowance);
    if (pageHeight < 0)
        return;
    l.webBrowser1Height = pageHeight;

    // The site-information list and the tools page, a little narrower than the page.
    const float listWidth = l.webBrowser1Width - Inset;
    if (listWidth < 0)
        return;
    l.listDangerWidth = listWidth;
    l.listDangerHeight = l.webBrowser1Height;
    const float toolsWidth = l.webBrowser1Width - Inset;
    if (toolsWidth < 0)
        return;
    l.webBrowser2Width = toolsWidth;
    l.webBrowser2Height = l.webBrowser1Height;

    // The go picture just left of the menu button; the address box up to it.
    l.image1Left = W - (l.image1Width + RightMargin + l.image2Width);
    const float addressWidth = l.image1Left - (l.command2Left + l.command2Width + RightMargin);
    if (addressWidth < 0)
        return;
    l.text1Width = addressWidth;
}

} // namespace torvi
