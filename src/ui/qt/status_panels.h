// Torvi: a status bar with numbered panels (from 1), docked at its window's bottom edge.
#pragma once

#include <QFrame>
#include <QList>

class QLabel;

namespace torvi {

class StatusPanels : public QFrame
{
    Q_OBJECT

public:
    // widthsInTwips: the panels' designed widths; the last panel takes what is left.
    StatusPanels(const QString &name, const QList<int> &widthsInTwips, QWidget *parent);

    QLabel *panel(int number) const; // 1-based; nullptr outside the range
    QString panelText(int number) const;
    void setPanelText(int number, const QString &text);
    void setPanelAlignment(int number, Qt::Alignment alignment);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QList<QLabel *> m_panels;
    QList<int> m_widths;
};

} // namespace torvi
