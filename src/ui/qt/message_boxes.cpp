// Torvi: message boxes shown with Qt.
#include "ui/qt/message_boxes.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

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

namespace {

// A prompt: the text, the line to fill in, the check box if any, OK and Cancel.
QuestionAnswer askPrompt(QWidget *parent, const Question &question)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(question.caption);
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(question.text, &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    auto *line = new QLineEdit(question.defaultText, &dialog);
    // Wide enough for an answer and for the caption with the page's host.
    line->setMinimumWidth(line->fontMetrics().averageCharWidth() * 60);
    line->setAccessibleName(question.text);
    label->setBuddy(line);
    layout->addWidget(label);
    layout->addWidget(line);
    QCheckBox *check = nullptr;
    if (!question.checkBoxText.isEmpty()) {
        check = new QCheckBox(question.checkBoxText, &dialog);
        layout->addWidget(check);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    const bool ok = dialog.exec() == QDialog::Accepted;
    return {ok ? MessageAnswer::Ok : MessageAnswer::Cancel, line->text(),
            check && check->isChecked()};
}

} // namespace

QuestionAnswer QtMessageBoxes::ask(QWidget *parent, const Question &question)
{
    if (question.kind == Question::Kind::Prompt)
        return askPrompt(parent, question);
    QMessageBox box(QMessageBox::NoIcon, question.caption, question.text,
                    question.kind == Question::Kind::Confirmation
                        ? QMessageBox::Ok | QMessageBox::Cancel
                        : QMessageBox::Ok,
                    parent);
    // A page's text is shown as it stands, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    QCheckBox *check = nullptr;
    if (!question.checkBoxText.isEmpty()) {
        check = new QCheckBox(question.checkBoxText, &box);
        box.setCheckBox(check);
    }
    // Wide enough for the caption with the page's host, however short the text: the box is
    // sized by its text alone. Setting the check box lays the box out anew, so this comes last.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(box.fontMetrics().averageCharWidth() *
                                          int(question.caption.size() + 24),
                                      0),
                      grid->rowCount(), 0, 1, grid->columnCount());
    const bool ok = box.exec() == QMessageBox::Ok;
    return {ok ? MessageAnswer::Ok : MessageAnswer::Cancel, {}, check && check->isChecked()};
}

} // namespace torvi
