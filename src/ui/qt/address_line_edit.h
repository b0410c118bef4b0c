// Torvi: an address box: a one-line text box that reports its key presses and can be
// handed to the navigation hub with its engine.
#pragma once

#include "nav/engine.h"

#include <QLineEdit>

namespace torvi {

class AddressLineEdit : public QLineEdit, public AddressBox
{
    Q_OBJECT

public:
    AddressLineEdit(const QString &name, QWidget *parent);
    std::string addressText() const override { return text().toStdString(); }

signals:
    // Every key press, as its character code (13 for Enter), before the box handles it:
    // the box still receives the key.
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace torvi
