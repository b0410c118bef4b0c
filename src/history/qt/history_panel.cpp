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
#include <QTreeWidget>
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

    ListView2 = new QTreeWidget(this);
    ListView2->setObjectName("ListView2");
    ListView2->setAccessibleName(qs(HistoryListName));
    ListView2->setRootIsDecorated(false);
    ListView2->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView2->setHeaderLabels(
        {qs(HistoryColumns[0]), qs(HistoryColumns[1]), qs(HistoryColumns[2])});
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
    connect(ListView2, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { ListView2_ItemClick(item); });
    // Enter on an item chooses it too, for those who use the keyboard.
    connect(ListView2, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { ListView2_ItemClick(item); });
    connect(cmdEliminaCronologia, &QPushButton::clicked, this,
            &HistoryPanel::cmdEliminaCronologia_Click);
    connect(Command4, &QPushButton::clicked, this, &HistoryPanel::Command4_Click);
}

void HistoryPanel::InitCronologia()
{
    move(m_host.pageTopLeft());
    ListView2->clear();
    for (const HistoryLine &line : m_history.readHistory())
        new QTreeWidgetItem(ListView2, {QString::fromStdString(line.address),
                                        QString::fromStdString(line.dateTime),
                                        QString::fromStdString(line.title)});
    m_host.hidePageForPanel();
    show();
}

void HistoryPanel::cmdEliminaCronologia_Click()
{
    // Silent by design: the history shows no message, and the list empties whatever happened.
    (void)m_history.DeleteCronologia();
    ListView2->clear();
}

void HistoryPanel::ListView2_ItemClick(QTreeWidgetItem *item)
{
    // Where a click also activates the item, the second signal finds the panel closed.
    if (!item || isHidden())
        return;
    const std::string address = item->text(0).toStdString();
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
