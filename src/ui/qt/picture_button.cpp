// Torvi: a picture button of the toolbars.
#include "ui/qt/picture_button.h"

#include <QIcon>

namespace torvi {

PictureButton::PictureButton(const QString &name, const QString &tip, const QString &icon,
                             QWidget *parent)
    : QToolButton(parent)
{
    setObjectName(name);
    setToolTip(tip);
    setAccessibleName(tip);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (!icon.isEmpty())
        setIcon(QIcon(icon));
}

void PictureButton::resizeEvent(QResizeEvent *event)
{
    // The picture fills the button whatever its size in twips comes to in pixels.
    const int side = qMax(1, qMin(width(), height()) - 6);
    setIconSize(QSize(side, side));
    QToolButton::resizeEvent(event);
}

} // namespace torvi
