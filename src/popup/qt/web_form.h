// Torvi: a secondary browser window, opened by "Nuova Finestra", the update command, the
// local test page and accepted pop-ups. It lives on its own once shown.
#pragma once

#include "nav/document.h"
#include "popup/secondary_layout.h"
#include "ui/qt/browser_host.h"
#include "ui/qt/window_services.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace torvi {

class AddressLineEdit;
class EngineView;
class PictureButton;
class StatusPanels;

class webForm : public QWidget
{
    Q_OBJECT

public:
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

    // The controls' places in twips, as AdjustLayout last left them.
    const SecondaryLayout &layoutState() const { return m_layout; }

    // Lays the window out for its outer size; also run after each completed navigation.
    void AdjustLayout();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void Form_Load();
    void applyLayout();
    void dockStatusBar();

    void cmdIndietro_Click();
    void cmdAvanti_Click();
    void cmdRefresh_Click();
    void cmdCerca_Click();
    void cmdHome_Click();
    void cmdInfo_Click();
    void Command2_Click();
    void Image1_Click();
    void txtURL_KeyPress(int keyAscii);

    void navigate(const std::string &url, const std::string &action = {});

    void bindEngineEvents();
    void bindKeyboard();
    void stopLoading();
    void WebBrowser1_DocumentComplete(const QString &url, const DocumentSnapshot &document);
    void WebBrowser1_NavigateComplete2();
    void WebBrowser1_NavigateError(const QString &url, int statusCode);
    EngineView *WebBrowser1_NewWindow2();
    void WebBrowser1_ProgressChange(int progress, int progressMax);
    void WebBrowser1_StatusTextChange(const QString &text);
    void WebBrowser1_WindowClosing();

    WindowServices m_services;
    // The main window outlives its secondary windows in the program; a guard all the same,
    // so a window left open by whoever deleted the main window never reaches a dead one.
    QPointer<BrowserHost> m_main;
    SecondaryLayout m_layout;
};

} // namespace torvi
