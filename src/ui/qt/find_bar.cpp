// Torvi: the find bar of a browser window.
#include "ui/qt/find_bar.h"

#include "nav/page_events.h"
#include "ui/qt/qt_text.h"
#include "ui/window_texts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace torvi {

namespace {

QToolButton *button(const char *name, const QString &text, std::string_view tip, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(qs(tip));
    b->setAccessibleName(qs(tip));
    b->setAutoRaise(true);
    return b;
}

} // namespace

FindBar::FindBar(EngineView &page, QWidget &window) : QFrame(&window), m_page(page)
{
    setObjectName("findBar");
    setAccessibleName(qs(FindBarName));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    txtCerca = new QLineEdit(this);
    txtCerca->setObjectName("txtCerca");
    txtCerca->setAccessibleName(qs(FindBarName));
    txtCerca->setPlaceholderText(qs(FindBarName));
    txtCerca->installEventFilter(this);
    lblRisultati = new QLabel(this);
    lblRisultati->setObjectName("lblRisultati");
    lblRisultati->setMinimumWidth(fontMetrics().horizontalAdvance(qs(FindNoMatches)) + 8);
    cmdPrecedente = button("cmdPrecedente", QStringLiteral("\u25B2"), FindPreviousTip, this);
    cmdSuccessivo = button("cmdSuccessivo", QStringLiteral("\u25BC"), FindNextTip, this);
    cmdChiudi = button("cmdChiudi", QStringLiteral("\u2715"), FindCloseTip, this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    for (QWidget *w : std::initializer_list<QWidget *>{txtCerca, lblRisultati, cmdPrecedente,
                                                       cmdSuccessivo, cmdChiudi})
        layout->addWidget(w);
    txtCerca->setMinimumWidth(fontMetrics().averageCharWidth() * 24);

    connect(txtCerca, &QLineEdit::textChanged, this, [this] { findNext(); });
    connect(cmdSuccessivo, &QToolButton::clicked, this, &FindBar::findNext);
    connect(cmdPrecedente, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(cmdChiudi, &QToolButton::clicked, this, &FindBar::close);
    connect(&m_page, &EngineView::FindResult, this, &FindBar::page_FindResult);
    // It rides at the top right of the page, wherever the window's layout puts the page.
    m_page.installEventFilter(this);
    hide();
}

void FindBar::open()
{
    place();
    show();
    raise();
    txtCerca->setFocus(Qt::ShortcutFocusReason);
    txtCerca->selectAll();
}

void FindBar::findNext()
{
    find(EngineView::FindDirection::Forward);
}

void FindBar::findPrevious()
{
    find(EngineView::FindDirection::Backward);
}

// F3 with nothing to look for opens the bar to type it.
void FindBar::find(EngineView::FindDirection direction)
{
    if (isHidden() || txtCerca->text().isEmpty()) {
        if (isHidden())
            open();
        if (txtCerca->text().isEmpty()) {
            m_page.findText({}, direction);
            lblRisultati->clear();
            return;
        }
    }
    m_page.findText(txtCerca->text(), direction);
}

void FindBar::close()
{
    const bool hadFocus = isAncestorOf(QApplication::focusWidget());
    hide();
    m_page.findText({}, EngineView::FindDirection::Forward);
    lblRisultati->clear();
    if (hadFocus)
        m_page.setFocus(Qt::OtherFocusReason);
}

void FindBar::page_FindResult(int activeMatch, int matches)
{
    if (!isHidden())
        lblRisultati->setText(
            qs(findResultText(txtCerca->text().toStdString(), activeMatch, matches)));
}

void FindBar::place()
{
    adjustSize();
    const QRect page(m_page.mapTo(parentWidget(), QPoint(0, 0)), m_page.size());
    move(qMax(page.left(), page.right() - width() - 16), page.top());
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_page && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        place();
    if (watched == txtCerca) {
        if (event->type() == QEvent::ShortcutOverride) {
            // Esc here closes the bar rather than stopping the page.
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                event->accept();
        } else if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Escape) {
                close();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (key->modifiers() & Qt::ShiftModifier)
                    findPrevious();
                else
                    findNext();
                return true;
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace torvi
