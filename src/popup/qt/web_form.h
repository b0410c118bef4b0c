// Torvi: a secondary browser window, opened by "Nuova Finestra", the update command, the
// local test page and accepted pop-ups. It lives on its own once shown; its toolbar and the
// engine events it shares with the main window go through BrowserControls.
#pragma once

#include "nav/document.h"
#include "popup/secondary_layout.h"
#include "ui/qt/browser_host.h"
#include "ui/qt/window_services.h"

#include <QWidget>
#include <memory>

class QLabel;

namespace torvi {

class AddressLineEdit;
class BrowserControls;
class EngineView;
class PictureButton;
class StatusPanels;

class webForm : public QWidget
{
    Q_OBJECT

public:
    // mainWindow: where the window's pages are checked and its new windows come from.
    webForm(WindowServices services, BrowserHost &mainWindow);
    ~webForm() override;

    QWidget *Picture1;
    PictureButton *cmdIndietro;
    PictureButton *cmdAvanti;
    PictureButton *cmdRefresh;
    PictureButton *cmdCerca;
    PictureButton *cmdHome;
    PictureButton *cmdInfo;
    PictureButton *Command2;
    QLabel *Label1;
    AddressLineEdit *txtURL;
    PictureButton *Image1;
    EngineView *WebBrowser1;
    StatusPanels *StatusBar1;

    // Lays the window out for its outer size; also run after each completed navigation.
    void AdjustLayout();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void applyLayout();
    void dockStatusBar();

    void bindEngineEvents();
    void WebBrowser1_DocumentComplete(const QString &url, const DocumentSnapshot &document);
    void WebBrowser1_NavigateComplete2();
    void WebBrowser1_WindowClosing();

    WindowServices m_services;
    SecondaryLayout m_layout;
    std::unique_ptr<BrowserControls> m_controls;
};

} // namespace torvi
