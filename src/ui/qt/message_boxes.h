// Torvi: the message boxes, the only reports a user ever sees. Windows ask through this
// service so that a test can answer in the user's place.
#pragma once

#include <QString>

class QWidget;

namespace torvi {

enum class MessageButtons
{
    Ok,
    OkCancel
};
enum class MessageIcon
{
    None,
    Critical
};
enum class MessageAnswer
{
    Ok,
    Cancel
};

// A question with more to it than a plain message box: a prompt's line to fill in, or a
// check box under the text. Without an icon.
struct Question
{
    enum class Kind
    {
        Message,      // OK
        Confirmation, // OK and Cancel
        Prompt        // a line to fill in, OK and Cancel
    };
    Kind kind = Kind::Message;
    QString caption;
    QString text;
    QString defaultText;  // the prompt's line to begin with
    QString checkBoxText; // no check box when empty
};

struct QuestionAnswer
{
    MessageAnswer answer = MessageAnswer::Cancel;
    QString text;         // the prompt's line
    bool checked = false; // the check box
};

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal message box and waits for the answer.
    virtual MessageAnswer show(QWidget *parent, const QString &text, MessageButtons buttons,
                               MessageIcon icon, const QString &caption) = 0;
    // Shows the question, modal, and waits for the answer.
    virtual QuestionAnswer ask(QWidget *parent, const Question &question) = 0;
};

class QtMessageBoxes final : public MessageBoxes
{
public:
    MessageAnswer show(QWidget *parent, const QString &text, MessageButtons buttons,
                       MessageIcon icon, const QString &caption) override;
    QuestionAnswer ask(QWidget *parent, const Question &question) override;
};

} // namespace torvi
