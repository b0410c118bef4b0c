// Torvi: message boxes shown with Qt.
#include "ui/qt/message_boxes.h"

#include <QMessageBox>

namespace torvi {

MessageAnswer QtMessageBoxes::show(QWidget *parent, const QString &text, MessageButtons buttons,
                                   MessageIcon icon, const QString &caption)
{
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    caption, text,
                    buttons == MessageButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                        : QMessageBox::Ok,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace torvi
