// Torvi: the secondary window's layout arithmetic, in single precision as designed.
#include "popup/secondary_layout.h"

namespace torvi {

float secondaryLoadLayout(SecondaryLayout &layout, float outerWidth, float outerHeight)
{
    const float height = outerHeight - 0.15f * outerHeight;
    layout.engineWidth = outerWidth - layout.engineLeft;
    layout.engineHeight = 0.9f * height;
    return height;
}

void adjustSecondaryLayout(SecondaryLayout &layout, float W, float H)
{
    layout.picture1Left = 120;
    const float pictureWidth = W - (layout.picture1Left + 230);
    if (pictureWidth < 0)
        return;
    layout.picture1Width = pictureWidth;
    layout.engineLeft = 100;
    const float engineWidth = W - 300;
    if (engineWidth < 0)
        return;
    layout.engineWidth = engineWidth;
    const float engineHeight = H - (layout.engineTop + layout.statusBarHeight + 500);
    if (engineHeight < 0)
        return;
    layout.engineHeight = engineHeight;
    layout.image1Left = W - (layout.image1Width + 300);
    const float urlWidth = W - (layout.command2Left + layout.command2Width + 1000);
    if (urlWidth < 0)
        return;
    layout.txtUrlWidth = urlWidth;
}

} // namespace torvi
