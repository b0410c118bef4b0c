// Torvi: the history panel of the main window. It lists cronologia.txt newest first, opens a
// chosen address in the page, deletes the history and hosts the temporary-file cleaner.
#pragma once

#include "history/history_file.h"
#include "tools/user_name.h"

#include <QGroupBox>
#include <QPoint>
#include <functional>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

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

    // Reloads the list from the file and shows the panel in the page's place.
    void InitCronologia();

    // The controls, under their design names (also their objectName).
    QPushButton *Command5;
    QTreeWidget *ListView2;
    QPushButton *cmdEliminaCronologia;
    QPushButton *Command4;
    QListWidget *File1;
    QLabel *lblElementiEliminati;
    QLabel *lblElementiRimasti;

private:
    void buildControls();
    void connectHandlers();

    void cmdEliminaCronologia_Click();
    void ListView2_ItemClick(QTreeWidgetItem *item);
    void Command5_Click();
    void Command4_Click();

    HistoryHost &m_host;
    MessageBoxes &m_messageBoxes;
    std::function<std::string()> m_userName;
    HistoryFile m_history;
};

} // namespace torvi
