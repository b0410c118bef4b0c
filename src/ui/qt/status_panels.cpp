// Torvi: a status bar with numbered panels.
#include "ui/qt/status_panels.h"

#include "ui/qt/twip_geometry.h"

#include <QLabel>

namespace torvi {

StatusPanels::StatusPanels(const QString &name, const QList<int> &widthsInTwips, QWidget *parent)
    : QFrame(parent), m_widths(widthsInTwips)
{
    setObjectName(name);
    setAccessibleName("Barra di stato");
    setAutoFillBackground(true);
    for (int i = 0; i < m_widths.size(); ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("%1.Panel%2").arg(name).arg(i + 1));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setIndent(3);
        label->setTextFormat(Qt::PlainText);
        m_panels.append(label);
        m_roles.append(QString());
    }
    m_note = new QLabel(this);
    m_note->setObjectName(name + QStringLiteral(".Note"));
    m_note->setFrameShape(QFrame::StyledPanel);
    m_note->setFrameShadow(QFrame::Sunken);
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setTextFormat(Qt::PlainText);
    m_note->hide();
}

void StatusPanels::setNote(const QString &text)
{
    m_note->setText(text);
    m_note->setAccessibleName(text);
    m_note->setVisible(!text.isEmpty());
    placeNote();
}

QString StatusPanels::note() const
{
    return m_note->text();
}

void StatusPanels::placeNote()
{
    const int width = m_note->fontMetrics().horizontalAdvance(m_note->text()) + 16;
    m_note->setGeometry(this->width() - width, 0, width, height());
    m_note->raise();
}

QLabel *StatusPanels::panel(int number) const
{
    return number >= 1 && number <= m_panels.size() ? m_panels[number - 1] : nullptr;
}

QString StatusPanels::panelText(int number) const
{
    const QLabel *label = panel(number);
    return label ? label->text() : QString();
}

void StatusPanels::setPanelText(int number, const QString &text)
{
    if (QLabel *label = panel(number)) {
        label->setText(text);
        nameForAssistiveTechnology(number);
    }
}

void StatusPanels::setPanelRole(int number, const QString &role)
{
    if (panel(number)) {
        m_roles[number - 1] = role;
        nameForAssistiveTechnology(number);
    }
}

// Qt raises the name-changed event that tells assistive technology to read it again.
void StatusPanels::nameForAssistiveTechnology(int number)
{
    const QString &role = m_roles[number - 1];
    if (role.isEmpty())
        return;
    const QString text = panelText(number);
    panel(number)->setAccessibleName(text.isEmpty() ? role : role + QStringLiteral(": ") + text);
}

void StatusPanels::setPanelAlignment(int number, Qt::Alignment alignment)
{
    if (QLabel *label = panel(number))
        label->setAlignment(alignment | Qt::AlignVCenter);
}

void StatusPanels::resizeEvent(QResizeEvent *event)
{
    int left = 0;
    for (int i = 0; i < m_panels.size(); ++i) {
        const bool last = i == m_panels.size() - 1;
        const int width = last ? qMax(0, this->width() - left) : px(m_widths[i], this);
        m_panels[i]->setGeometry(left, 0, width, height());
        left += width;
    }
    placeNote();
    QFrame::resizeEvent(event);
}

} // namespace torvi
