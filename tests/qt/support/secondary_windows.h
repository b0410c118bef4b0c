// Torvi tests: the secondary windows a test has opened.
#pragma once

#include "popup/qt/web_form.h"

#include <QApplication>
#include <QList>

namespace torvi::test {

// The secondary windows that are open now, in no set order (Qt keeps none).
inline QList<webForm *> secondaryWindows()
{
    QList<webForm *> forms;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<webForm *>(w); form && !form->isHidden())
            forms.append(form);
    return forms;
}

// Closes them all, as the user would, and lets them go.
inline void closeSecondaryWindows()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<webForm *>(w))
            form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace torvi::test
