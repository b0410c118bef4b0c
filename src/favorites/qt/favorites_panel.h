// Torvi: the favorites panel Frame1, shown in place of the page. It lists the favorites file,
// adds the current page, changes or deletes an entry and opens one in the main engine.
// The main window embeds it and answers its requests through FavoritesHost.
#pragma once

#include "favorites/favorites_file.h"
#include "favorites/favorites_table.h"

#include <QFutureWatcher>
#include <QGroupBox>
#include <QPoint>
#include <QString>
#include <QThreadPool>
#include <string>

class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;

namespace torvi {

class FavoritesListModel;
class MessageBoxes;

// A read of the favorites file: the table, and whether the file could be read.
struct FavoritesRead
{
    std::string error; // empty when read
    FavoritesTable table;
};

// What the panel needs from the main window.
struct FavoritesHost
{
    virtual ~FavoritesHost() = default;
    // The window caption: the current page's title.
    virtual QString pageCaption() const = 0;
    // The text of the address box Text1.
    virtual QString pageAddressText() const = 0;
    // WebBrowser1's top-left corner in the panel's parent.
    virtual QPoint pageTopLeft() const = 0;
    // Hides WebBrowser3, then WebBrowser1.
    virtual void hidePageForPanel() = 0;
    // Shows WebBrowser1, then WebBrowser3.
    virtual void showPageAfterOpen() = 0;
    // Shows WebBrowser1 and WebBrowser3, hides Frame1 and Frame2.
    virtual void closePanels() = 0;
    // NavigateBrowser(address, "", WebBrowser1, Text1).
    virtual void openAddress(const std::string &address) = 0;
};

class FavoritesPanel : public QGroupBox
{
    Q_OBJECT

public:
    FavoritesPanel(FavoritesHost &host, MessageBoxes &messageBoxes, QWidget *parent = nullptr,
                   FavoritesFile file = FavoritesFile{});

    ~FavoritesPanel() override;

    // Opens the panel on the current page: prefills the boxes, hides the page and shows the
    // panel at once, and reloads list and table from the file off the window's thread. Until
    // the file is read, adding, changing and deleting are off: a rewrite from a table not yet
    // filled would lose the favorites.
    void InitPreferiti();

    // Whether a read of the file is still under way.
    bool isLoading() const { return m_loading != nullptr; }

    void cmdNuovoPreferiti_Click();
    void cmdModificaPreferiti_Click();
    void cmdEliminaPreferiti_Click();
    void ListView1_ItemClick(const QModelIndex &item);
    void ListView1_DblClick(const QModelIndex &item);
    void Command1_Click();

    // The controls, under their design names (also their objectName).
    QPushButton *Command1;
    QListView *ListView1;
    QLabel *Label1;
    QLineEdit *txtNomePreferiti;
    QLabel *Label2;
    QLineEdit *txtUrlPreferiti;
    QPushButton *cmdNuovoPreferiti;
    QPushButton *cmdModificaPreferiti;
    QPushButton *cmdEliminaPreferiti;

private:
    // Position in the table of the selected item; 0 when none is selected.
    std::size_t selectedPosition() const;
    FavoriteEntry enteredEntry() const;
    void saveTable();
    void showReadTable();
    void setEditing(bool on);

    FavoritesHost &m_host;
    MessageBoxes &m_messageBoxes;
    FavoritesFile m_file;
    FavoritesListModel *m_list;
    QFutureWatcher<FavoritesRead> *m_loading = nullptr;
    QThreadPool m_readers;
};

} // namespace torvi
