// Torvi: a picture button of the toolbars: an image, no caption, a tool tip that is also
// its accessible name.
#pragma once

#include <QToolButton>

namespace torvi {

class PictureButton : public QToolButton
{
    Q_OBJECT

public:
    // name: the control's design name; tip: its tool tip; icon: a resource path or empty.
    PictureButton(const QString &name, const QString &tip, const QString &icon, QWidget *parent);

protected:
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace torvi
