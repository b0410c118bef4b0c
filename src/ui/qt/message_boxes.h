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

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal message box and waits for the answer.
    virtual MessageAnswer show(QWidget *parent, const QString &text, MessageButtons buttons,
                               MessageIcon icon, const QString &caption) = 0;
};

class QtMessageBoxes final : public MessageBoxes
{
public:
    MessageAnswer show(QWidget *parent, const QString &text, MessageButtons buttons,
                       MessageIcon icon, const QString &caption) override;
};

} // namespace torvi
