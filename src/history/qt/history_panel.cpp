// Torvi: the history panel.
#include "history/qt/history_panel.h"

#include "history/history_panel_design.h"
#include "tools/temp_cleaner.h"
#include "tools/tools_texts.h"
#include "tools/version_info.h"
#include "ui/qt/message_boxes.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/twip_geometry.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace torvi {

namespace {

QPushButton *button(const char *name, std::string_view caption, const TwipRect &r, QWidget *parent)
{
    auto *b = new QPushButton(qs(caption), parent);
    b->setObjectName(name);
    // Screen readers say the caption; the access-key mark is not part of it.
    b->setAccessibleName(qs(caption).remove(QLatin1Char('&')));
    placeInTwips(b, r);
    return b;
}

QLabel *resultLabel(const char *name, const TwipRect &r, QWidget *parent)
{
    // No accessible name: a label's own text is what screen readers say of it.
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    placeInTwips(l, r);
    return l;
}

} // namespace

HistoryPanel::HistoryPanel(HistoryHost &host, FileSystem &fileSystem, MessageBoxes &messageBoxes,
                           std::function<std::string()> userName, QWidget *parent)
    : QGroupBox(qs(HistoryPanelCaption), parent), m_host(host), m_messageBoxes(messageBoxes),
      m_userName(std::move(userName)), m_history(fileSystem)
{
    setObjectName("Frame2");
    setAutoFillBackground(true);
    placeInTwips(this, HistoryDesign::Frame2);
    buildControls();
    connectHandlers();
    hide();
}

void HistoryPanel::buildControls()
{
    Command5 = button("Command5", ClosePanelsCaption, HistoryDesign::Command5, this);

    m_lines = new HistoryListModel(this);
    ListView2 = new QTreeView(this);
    ListView2->setObjectName("ListView2");
    ListView2->setAccessibleName(qs(HistoryListName));
    ListView2->setRootIsDecorated(false);
    ListView2->setItemsExpandable(false);
    // One line per row: the view places 200 000 rows without measuring each.
    ListView2->setUniformRowHeights(true);
    ListView2->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView2->setModel(m_lines);
    placeInTwips(ListView2, HistoryDesign::ListView2);
    ListView2->header()->setStretchLastSection(false);
    const int columnWidth = ListView2->contentsRect().width() / 3;
    for (int column = 0; column < 3; ++column)
        ListView2->setColumnWidth(column, columnWidth);

    cmdEliminaCronologia = button("cmdEliminaCronologia", DeleteHistoryCaption,
                                  HistoryDesign::cmdEliminaCronologia, this);
    Command4 = button("Command4", Command4Caption, HistoryDesign::Command4, this);

    // Empty until the first run: the list shows the user's temporary folder or nothing, never
    // the files of whatever directory the process happened to start in.
    File1 = new QListWidget(this);
    File1->setObjectName("File1");
    File1->setAccessibleName(qs(TempFilesListName));
    placeInTwips(File1, HistoryDesign::File1);

    lblElementiEliminati =
        resultLabel("lblElementiEliminati", HistoryDesign::lblElementiEliminati, this);
    lblElementiRimasti = resultLabel("lblElementiRimasti", HistoryDesign::lblElementiRimasti, this);
}

void HistoryPanel::connectHandlers()
{
    connect(Command5, &QPushButton::clicked, this, &HistoryPanel::Command5_Click);
    connect(ListView2, &QTreeView::clicked, this, &HistoryPanel::ListView2_ItemClick);
    // Enter on an item chooses it too, for those who use the keyboard.
    connect(ListView2, &QTreeView::activated, this, &HistoryPanel::ListView2_ItemClick);
    connect(cmdEliminaCronologia, &QPushButton::clicked, this,
            &HistoryPanel::cmdEliminaCronologia_Click);
    connect(Command4, &QPushButton::clicked, this, &HistoryPanel::Command4_Click);
}

HistoryPanel::~HistoryPanel()
{
    dropLoading();
    m_readers.waitForDone();
}

void HistoryPanel::InitCronologia()
{
    move(m_host.pageTopLeft());
    dropLoading();
    m_lines->replaceLines({});
    m_host.hidePageForPanel();
    show();
    // A large file takes longer to read and split than a frame lasts: the panel shows at once
    // and the lines follow.
    m_loading = new QFutureWatcher<std::vector<HistoryLine>>(this);
    connect(m_loading, &QFutureWatcherBase::finished, this, &HistoryPanel::showReadLines);
    m_loading->setFuture(
        QtConcurrent::run(&m_readers, [history = m_history] { return history.readHistory(); }));
}

void HistoryPanel::showReadLines()
{
    QFutureWatcher<std::vector<HistoryLine>> *done = std::exchange(m_loading, nullptr);
    m_lines->replaceLines(done->future().takeResult());
    done->deleteLater();
}

void HistoryPanel::dropLoading()
{
    if (!m_loading)
        return;
    m_loading->disconnect(this);
    m_loading->deleteLater();
    m_loading = nullptr;
}

void HistoryPanel::cmdEliminaCronologia_Click()
{
    // Silent by design: the history shows no message, and the list empties whatever happened.
    // A read still under way would bring the deleted lines back.
    dropLoading();
    (void)m_history.DeleteCronologia();
    m_lines->replaceLines({});
}

void HistoryPanel::ListView2_ItemClick(const QModelIndex &item)
{
    // Where a click also activates the item, the second signal finds the panel closed.
    if (!item.isValid() || isHidden())
        return;
    const std::string address = m_lines->address(item.row());
    hide();
    m_host.showPageAfterOpen();
    m_host.openAddress(address);
}

void HistoryPanel::Command5_Click()
{
    m_host.closePanels();
}

void HistoryPanel::Command4_Click()
{
    const CleanResult result = runCleaner(m_userName());
    File1->clear();
    for (const std::string &name : result.listedAfter)
        File1->addItem(QString::fromStdString(name));
    lblElementiEliminati->setText(QString::fromStdString(deletedLabelText(result.deleted)));
    lblElementiRimasti->setText(QString::fromStdString(remainingLabelText(result.remaining)));
    m_messageBoxes.show(this, qs(CleanerDoneMessage), MessageButtons::Ok, MessageIcon::None,
                        qs(TorviVersion.title));
}

} // namespace torvi
