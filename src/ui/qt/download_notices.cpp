// Torvi: the downloads of a browser window's page.
#include "ui/qt/download_notices.h"

#include "ui/qt/qt_text.h"
#include "ui/qt/status_panels.h"
#include "ui/window_texts.h"

#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

namespace torvi {

DownloadNotices::DownloadNotices(StatusPanels &statusBar, QWidget &window)
    : QFrame(&window), m_statusBar(statusBar)
{
    setObjectName("downloads");
    setAccessibleName(qs(DownloadsName));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(4, 2, 4, 2);
    m_layout->setSpacing(2);
    m_statusBar.installEventFilter(this);
    hide();
}

// A line: the text, then the buttons that fit the download's end, and one to dismiss it.
QWidget *DownloadNotices::makeLine(std::uint64_t id)
{
    auto *line = new QWidget(this);
    line->setObjectName(QStringLiteral("download%1").arg(id));
    auto *row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    auto *text = new QLabel(line);
    text->setObjectName("text");
    text->setTextFormat(Qt::PlainText);
    row->addWidget(text, 1);
    for (const std::string_view caption : {DownloadOpen, DownloadOpenFolder}) {
        auto *button = new QPushButton(qs(caption), line);
        button->setObjectName(caption == DownloadOpen ? "cmdApri" : "cmdApriCartella");
        button->hide();
        row->addWidget(button);
    }
    auto *dismiss = new QToolButton(line);
    dismiss->setObjectName("cmdChiudi");
    dismiss->setText(QStringLiteral("\u2715"));
    dismiss->setToolTip(qs(DownloadDismiss));
    dismiss->setAccessibleName(qs(DownloadDismiss));
    dismiss->setAutoRaise(true);
    row->addWidget(dismiss);
    connect(dismiss, &QToolButton::clicked, this, [this, id, line] {
        m_lines.remove(id);
        line->deleteLater();
        if (m_lines.isEmpty())
            hide();
        else
            place();
    });
    m_layout->addWidget(line);
    m_lines.insert(id, line);
    return line;
}

void DownloadNotices::show(const Download &download)
{
    QWidget *line = m_lines.value(download.id);
    if (!line)
        line = makeLine(download.id);
    const QString text = qs(downloadText(download));
    line->findChild<QLabel *>("text")->setText(text);
    line->setAccessibleName(text);
    m_statusBar.setPanelText(1, text);
    if (download.state == Download::State::Done) {
        const QString folder = QString::fromStdString(download.folder);
        const QString file = QDir(folder).filePath(QString::fromStdString(download.fileName));
        auto *open = line->findChild<QPushButton *>("cmdApri");
        auto *openFolder = line->findChild<QPushButton *>("cmdApriCartella");
        open->disconnect();
        openFolder->disconnect();
        // The desktop's own programs for the file and the folder.
        connect(open, &QPushButton::clicked, this,
                [file] { QDesktopServices::openUrl(QUrl::fromLocalFile(file)); });
        connect(openFolder, &QPushButton::clicked, this,
                [folder] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
        open->show();
        openFolder->show();
    }
    QFrame::show();
    place();
}

// The strip spans the status bar's width and stands on it.
void DownloadNotices::place()
{
    adjustSize();
    const QRect bar = m_statusBar.geometry();
    setGeometry(bar.left(), bar.top() - sizeHint().height(), bar.width(), sizeHint().height());
    raise();
}

bool DownloadNotices::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_statusBar && !isHidden() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        place();
    return QFrame::eventFilter(watched, event);
}

} // namespace torvi
