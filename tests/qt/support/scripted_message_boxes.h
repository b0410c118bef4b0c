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
    QString checkBox; // empty: none
};

class ScriptedMessageBoxes : public MessageBoxes
{
public:
    QList<ShownMessage> shown;
    QList<MessageAnswer> answers; // taken in order; Ok when none is left

    MessageAnswer show(QWidget *, const QString &text, MessageButtons buttons, MessageIcon icon,
                       const QString &caption) override
    {
        shown.append({text, buttons, icon, caption, {}});
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }

    bool tickCheckBoxes = false; // whenever one is offered
    QString promptAnswer;

    QuestionAnswer ask(QWidget *parent, const Question &question) override
    {
        const auto buttons = question.kind == Question::Kind::Message ? MessageButtons::Ok
                                                                      : MessageButtons::OkCancel;
        const MessageAnswer answer = ScriptedMessageBoxes::show(
            parent, question.text, buttons, MessageIcon::None, question.caption);
        shown.last().checkBox = question.checkBoxText;
        return {answer, question.kind == Question::Kind::Prompt ? promptAnswer : QString(),
                tickCheckBoxes && !question.checkBoxText.isEmpty()};
    }
};

} // namespace torvi::test
