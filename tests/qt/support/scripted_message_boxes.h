// Torvi tests: message boxes answered by the test in the user's place.
#pragma once

#include "ui/qt/message_boxes.h"

#include <QList>
#include <QStringList>

namespace torvi::test {

struct ShownMessage
{
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
    QString caption;
};

class ScriptedMessageBoxes : public MessageBoxes
{
public:
    QList<ShownMessage> shown;
    QList<MessageAnswer> answers; // taken in order; Ok when none is left

    MessageAnswer show(QWidget *, const QString &text, MessageButtons buttons, MessageIcon icon,
                       const QString &caption) override
    {
        shown.append({text, buttons, icon, caption});
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }
};

} // namespace torvi::test
