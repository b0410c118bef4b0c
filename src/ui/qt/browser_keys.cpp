// Torvi: the keys a browser user expects, the same in every browser window.
#include "ui/qt/browser_keys.h"

#include <QLineEdit>
#include <QShortcut>
#include <utility>

namespace torvi {

void bindBrowserKeys(QWidget &window, QLineEdit &addressBox, BrowserKeyActions actions,
                     std::initializer_list<QWidget *> toolbarOrder)
{
    const auto key = [&window](QKeySequence sequence, std::function<void()> action) {
        auto *shortcut = new QShortcut(sequence, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, std::move(action));
    };
    const auto focusAddressBox = [box = &addressBox] {
        box->setFocus(Qt::ShortcutFocusReason);
        box->selectAll();
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_L), focusAddressBox);
    key(QKeySequence(Qt::Key_F6), focusAddressBox);
    key(QKeySequence(Qt::ALT | Qt::Key_Left), std::move(actions.back));
    key(QKeySequence(Qt::ALT | Qt::Key_Right), std::move(actions.forward));
    key(QKeySequence(Qt::Key_F5), std::move(actions.refresh));
    key(QKeySequence(Qt::Key_Escape), std::move(actions.stop));

    QWidget *previous = nullptr;
    for (QWidget *w : toolbarOrder) {
        w->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace torvi
