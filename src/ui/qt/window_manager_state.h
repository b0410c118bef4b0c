// Torvi: what the window manager shows of a browser window, its title and its state, kept
// in step with the window's own caption and state.
#pragma once

#include <QObject>

class QWidget;

namespace torvi {

// Installed on a top-level window by the window itself. Two Qt 6.4 quirks undo what the
// window asks for:
// - Qt gives an empty caption the application's name in the window manager's title; an
//   empty caption must look empty there.
// - The engine's view adds a GPU-drawn surface to the window when its first page starts,
//   and Qt then makes the window's native window anew; the new one forgets the state set
//   before, so a window meant to open maximized opened at its restored size.
class WindowManagerState : public QObject
{
    Q_OBJECT

public:
    explicit WindowManagerState(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepTitle();
    void keepState();

    QWidget &m_window;
};

} // namespace torvi
