// Torvi: the history panel of the main window. It lists cronologia.txt newest first, opens a
// chosen address in the page, deletes the history and hosts the temporary-file cleaner.
#pragma once

#include "history/history_file.h"
#include "history/qt/history_list_model.h"
#include "tools/user_name.h"

#include <QFutureWatcher>
#include <QGroupBox>
#include <QPoint>
#include <QThreadPool>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace torvi {

class FileSystem;
class MessageBoxes;

// What the panel needs of the window it lies in.
struct HistoryHost
{
    virtual ~HistoryHost() = default;
    // Where the page engine WebBrowser1 sits, in the panel's parent's coordinates.
    virtual QPoint pageTopLeft() const = 0;
    // Hides WebBrowser1 and WebBrowser3, so the panel takes the page's place.
    virtual void hidePageForPanel() = 0;
    // Shows WebBrowser3, then WebBrowser1.
    virtual void showPageAfterOpen() = 0;
    // Shows WebBrowser1 and WebBrowser3, hides Frame1 and Frame2.
    virtual void closePanels() = 0;
    // NavigateBrowser(url, "", WebBrowser1, Text1).
    virtual void openAddress(const std::string &url) = 0;
};

class HistoryPanel : public QGroupBox
{
    Q_OBJECT

public:
    HistoryPanel(HistoryHost &host, FileSystem &fileSystem, MessageBoxes &messageBoxes,
                 std::function<std::string()> userName = currentUserName,
                 QWidget *parent = nullptr);

    ~HistoryPanel() override;

    // Shows the panel in the page's place at once and reloads the list from the file off the
    // window's thread; the lines fill the list when read.
    void InitCronologia();

    // Whether a read of the file is still under way.
    bool isLoading() const { return m_loading != nullptr; }

    // The controls, under their design names (also their objectName).
    QPushButton *Command5;
    QTreeView *ListView2;
    QPushButton *cmdEliminaCronologia;
    QPushButton *Command4;
    QListWidget *File1;
    QLabel *lblElementiEliminati;
    QLabel *lblElementiRimasti;

private:
    void buildControls();
    void connectHandlers();

    void cmdEliminaCronologia_Click();
    void ListView2_ItemClick(const QModelIndex &item);
    void Command5_Click();
    void Command4_Click();

    void showReadLines();
    // Forgets a read under way, so its lines never reach the list.
    void dropLoading();

    HistoryHost &m_host;
    MessageBoxes &m_messageBoxes;
    std::function<std::string()> m_userName;
    HistoryFile m_history;
    HistoryListModel *m_lines;
    QFutureWatcher<std::vector<HistoryLine>> *m_loading = nullptr;
    // Its own readers: the panel waits for them when it goes, as they read through the
    // window's file-system service.
    QThreadPool m_readers;
};

} // namespace torvi
