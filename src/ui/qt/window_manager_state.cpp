// Torvi: the window manager's title and state of a browser window.
#include "ui/qt/window_manager_state.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace torvi {

namespace {

// A blank draws nothing in a title bar or a window list, and Qt passes it on unchanged.
const QString blankTitle = QStringLiteral(" ");

} // namespace

WindowManagerState::WindowManagerState(QWidget &window) : QObject(&window), m_window(window)
{
    window.installEventFilter(this);
}

bool WindowManagerState::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::WinIdChange:
            keepState();
            keepTitle();
            break;
        case QEvent::WindowTitleChange:
            keepTitle();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The widget keeps its empty caption; only the native window gets the blank.
void WindowManagerState::keepTitle()
{
    QWindow *native = m_window.windowHandle();
    if (native && m_window.windowTitle().isEmpty() && native->title() != blankTitle)
        native->setTitle(blankTitle);
}

void WindowManagerState::keepState()
{
    QWindow *native = m_window.windowHandle();
    const Qt::WindowStates wanted = m_window.windowState() & ~Qt::WindowActive;
    if (native && (native->windowStates() & ~Qt::WindowActive) != wanted)
        native->setWindowStates(wanted);
}

} // namespace torvi
