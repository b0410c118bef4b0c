// Torvi: the main browser window. It owns the three engines, the site-information list, the
// panels and the command list, and is the BrowserHost of every browser window. Its
// construction is the program's start-up: it builds the designed controls, then runs the
// load handler that sends the three engines to their pages.
#pragma once

#include "app/main_layout.h"
#include "app/qt/main_services.h"
#include "favorites/qt/favorites_panel.h"
#include "history/qt/history_panel.h"
#include "popup/window_slots.h"
#include "ui/qt/browser_host.h"

#include <QPointer>
#include <memory>
#include <string>

class QFrame;
class QListWidget;

namespace torvi {

class AddressLineEdit;
class BrowserControls;
class EngineView;
class PictureButton;
class StatusPanels;
class frmAbout;
class frmSource;

class frmMain : public BrowserHost, private FavoritesHost, private HistoryHost
{
    Q_OBJECT

public:
    // commandLine: everything after the program name, as one string.
    frmMain(MainServices services, std::string commandLine, QWidget *parent = nullptr);
    ~frmMain() override;

    // What the browser windows ask of the main window (BrowserHost).
    bool newWebBrowser(const std::string &URL = {}) override;
    bool CheckDanger(const std::string &pageText, const std::string &url) override;
    void refreshCounter() override;
    EngineView *openRequestedWindow() override;
    void showPageSource(const std::string &body) override;

    // The controls, under their design names (also their objectName).
    PictureButton *cmdIndietro;
    PictureButton *cmdAvanti;
    PictureButton *cmdRefresh;
    PictureButton *cmdHome;
    PictureButton *Command3;
    PictureButton *cmdInfo;
    PictureButton *Command2;
    AddressLineEdit *Text1;
    PictureButton *Image1;
    PictureButton *Image2;
    QListWidget *List1;
    QFrame *Shape1;
    EngineView *WebBrowser3;
    EngineView *WebBrowser1;
    EngineView *WebBrowser2;
    QListWidget *listDanger;
    AddressLineEdit *Text2;
    StatusPanels *StatusBar2;
    StatusPanels *StatusBar1;
    FavoritesPanel *Frame1;
    HistoryPanel *Frame2;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void stackControls();
    void dockStatusBars();
    void Form_Load();
    void Form_Resize();
    void applyLayout();

    void Image2_Click();
    void List1_Click();
    void List1_LostFocus();
    void closeListFromKeyboard();
    void showView(QWidget *view);
    void listDanger_Click();

    // What the panels ask of the window.
    QString pageCaption() const override;
    QString pageAddressText() const override;
    QPoint pageTopLeft() const override;
    void hidePageForPanel() override;
    void showPageAfterOpen() override;
    void closePanels() override;
    void openAddress(const std::string &address) override;

    void bindEngineEvents();
    void WebBrowser1_DocumentComplete(const QString &url, const DocumentSnapshot &document);

    // The window's outer size in twips, frame and title bar included.
    float outerWidthTwips() const;
    float outerHeightTwips() const;

    MainServices m_services;
    std::string m_commandLine;
    QPointer<frmSource> m_source;
    QPointer<frmAbout> m_about;
    QPointer<QWidget> m_focusBeforeList;
    MainLayout m_layout;
    WindowSlots m_slots;
    std::unique_ptr<BrowserControls> m_controls;
};

} // namespace torvi
