// Torvi: the find bar of a browser window: a small strip at the top right of the page that
// looks for a text on the page, says how many matches it has and steps through them. Made
// and opened by BrowserControls (Ctrl+F, F3, Shift+F3); Esc closes it and clears the marks.
#pragma once

#include "ui/qt/engine_view.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QToolButton;

namespace torvi {

class FindBar : public QFrame
{
    Q_OBJECT

public:
    FindBar(EngineView &page, QWidget &window);

    void open();
    void findNext();
    void findPrevious();
    void close();

    QLineEdit *txtCerca;
    QLabel *lblRisultati;
    QToolButton *cmdPrecedente;
    QToolButton *cmdSuccessivo;
    QToolButton *cmdChiudi;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(EngineView::FindDirection direction);
    void place();
    void page_FindResult(int activeMatch, int matches);

    EngineView &m_page;
};

} // namespace torvi
