// Torvi: the downloads of a browser window's page, a line each in a strip just above the
// status bar: the progress while one runs, then where the file went with "Apri" and "Apri
// cartella", or what failed; the status bar's text panel shows the latest of them too.
// Made by BrowserControls.
#pragma once

#include "nav/download.h"

#include <QFrame>
#include <QHash>

class QLabel;
class QVBoxLayout;

namespace torvi {

class StatusPanels;

class DownloadNotices : public QFrame
{
    Q_OBJECT

public:
    DownloadNotices(StatusPanels &statusBar, QWidget &window);

    void show(const Download &download);
    // The line of a download, or nullptr once the user has dismissed it.
    QWidget *line(std::uint64_t id) const { return m_lines.value(id); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeLine(std::uint64_t id);
    void place();

    StatusPanels &m_statusBar;
    QVBoxLayout *m_layout;
    QHash<std::uint64_t, QWidget *> m_lines;
};

} // namespace torvi
