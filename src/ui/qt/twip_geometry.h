// Torvi: places widgets by the designed twips, converted with the screen's logical DPI.
#pragma once

#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace torvi {

// Logical dots per inch of the screen the widget is on (96 when there is none).
inline double logicalDpi(const QWidget *widget = nullptr)
{
    const QScreen *screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

inline int px(double twips, const QWidget *widget = nullptr)
{
    return twipsToPixels(twips, logicalDpi(widget));
}

inline float twipsOf(int pixels, const QWidget *widget = nullptr)
{
    return pixelsToTwips(pixels, logicalDpi(widget));
}

inline void placeInTwips(QWidget *w, const TwipRect &r)
{
    w->setGeometry(px(r.left, w), px(r.top, w), px(r.width, w), px(r.height, w));
}

} // namespace torvi
