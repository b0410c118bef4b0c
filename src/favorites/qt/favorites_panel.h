// Torvi: the favorites panel Frame1, shown in place of the page. It lists the favorites file,
// adds the current page, changes or deletes an entry and opens one in the main engine.
// The main window embeds it and answers its requests through FavoritesHost.
#pragma once

#include "favorites/favorites_file.h"
#include "favorites/favorites_table.h"

#include <QGroupBox>
#include <QPoint>
#include <QString>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace torvi {

class MessageBoxes;

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

    // Opens the panel on the current page: prefills the boxes, reloads list and table from
    // the file, hides the page and shows the panel.
    void InitPreferiti();

    void cmdNuovoPreferiti_Click();
    void cmdModificaPreferiti_Click();
    void cmdEliminaPreferiti_Click();
    void ListView1_ItemClick(QListWidgetItem *item);
    void ListView1_DblClick(QListWidgetItem *item);
    void Command1_Click();

    // The controls, under their design names (also their objectName).
    QPushButton *Command1;
    QListWidget *ListView1;
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
    QListWidgetItem *newItem(const FavoriteEntry &entry) const;
    FavoriteEntry enteredEntry() const;
    void saveTable();

    FavoritesHost &m_host;
    MessageBoxes &m_messageBoxes;
    FavoritesFile m_file;
    FavoritesTable m_table;
};

} // namespace torvi
