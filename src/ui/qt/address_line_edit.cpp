// Torvi: an address box.
#include "ui/qt/address_line_edit.h"

#include <QKeyEvent>

namespace torvi {

AddressLineEdit::AddressLineEdit(const QString &name, QWidget *parent) : QLineEdit(parent)
{
    setObjectName(name);
}

void AddressLineEdit::keyPressEvent(QKeyEvent *event)
{
    int code = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        code = 13;
    else if (!event->text().isEmpty())
        code = event->text().at(0).unicode();
    if (code != 0)
        emit KeyPress(code);
    QLineEdit::keyPressEvent(event);
}

} // namespace torvi
