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
    // What the panel is for, as assistive technology reads it: its accessible name is the
    // role followed by the panel's current text, so a screen reader hears both and is told
    // whenever the text changes.
    void setPanelRole(int number, const QString &role);
    void setPanelAlignment(int number, Qt::Alignment alignment);
    // A short note at the bar's right end, over the last panel, shown only while it has
    // text (the page's zoom).
    void setNote(const QString &text);
    QString note() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void nameForAssistiveTechnology(int number);
    void placeNote();

    QList<QLabel *> m_panels;
    QList<int> m_widths;
    QList<QString> m_roles;
    QLabel *m_note;
};

} // namespace torvi
