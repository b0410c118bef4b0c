// Torvi: what both browser windows do alike with their page engine, toolbar, address box and
// status bar: the toolbar's and the address box's requests to the hub, the browser keys, the
// engine events both handle the same way and the steps of DocumentComplete they share. Each
// window builds its controls, hands them over here and keeps only the handling that differs.
#pragma once

#include "nav/document.h"
#include "ui/qt/browser_host.h"
#include "ui/qt/engine_view.h"
#include "ui/qt/window_services.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <string>
#include <string_view>

class QWidget;

namespace torvi {

class AddressLineEdit;
class DownloadNotices;
class FindBar;
class PictureButton;
class StatusPanels;

class BrowserControls : public QObject
{
    Q_OBJECT

public:
    // The window's controls, under their design names where both windows share them.
    struct Parts
    {
        EngineView *WebBrowser1;
        AddressLineEdit *addressBox; // Text1, txtURL
        StatusPanels *statusBar;     // StatusBar2, StatusBar1: panels 1 to 3 as in both
        PictureButton *cmdIndietro;
        PictureButton *cmdAvanti;
        PictureButton *cmdRefresh;
        PictureButton *cmdHome;
        PictureButton *searchButton; // Command3, cmdCerca
        PictureButton *cmdInfo;
        PictureButton *Command2;
        PictureButton *Image1;
        QList<QWidget *> tabOrder; // the toolbar from left to right
    };

    // What the window says or asks for differently.
    struct Differences
    {
        std::string_view newWindowQuestion; // asked before a page gets its new window
        std::string searchAddress;          // where the search button goes
    };

    // Connects the parts' signals and the browser keys. The host is the main window, the
    // window's own or the one it was opened from.
    BrowserControls(QWidget &window, Parts parts, WindowServices services, BrowserHost &host,
                    Differences differences);
    ~BrowserControls() override;

    FindBar *findBar() const { return m_findBar; }
    DownloadNotices *downloads() const { return m_downloads; }

    // The first steps of DocumentComplete: the address box shows the completed address and
    // the log records the engine's own. Answers whether the document has a body; one without
    // gets an empty verdict rather than the previous page's, and the window's handler ends.
    bool showCompletedAddress(const QString &url, const DocumentSnapshot &document);

    // The last steps of DocumentComplete: the threat check on the body, its verdict centred
    // on panel 2, and the counter reload.
    void checkPage(const std::string &url, const std::string &body);
    // The body of this window's last completed document, for its source window.
    const std::string &pageSource() const { return m_pageSource; }

signals:
    // A toolbar button's command, clicked or from its key, or Esc's stop, is about to run.
    // The go picture and Enter raise nothing. The main window closes its command list on it.
    void toolbarCommand();

private:
    void bindKeys();
    void navigate(const std::string &url, std::string_view action = {});

    void cmdIndietro_Click();
    void cmdAvanti_Click();
    void cmdRefresh_Click();
    void cmdHome_Click();
    void searchButton_Click();
    void cmdInfo_Click();
    void Command2_Click();
    void Image1_Click();
    void addressBox_KeyPress(int keyAscii);
    void stopLoading();
    void WebBrowser1_ViewSourceRequested();
    void zoom(int steps);

    void WebBrowser1_NavigateError(const QString &url, int statusCode);
    EngineView *WebBrowser1_NewWindow2(const PageQuestion &question, bool &refuseMore);
    PageQuestionAnswer WebBrowser1_Dialog(const PageQuestion &question);
    void WebBrowser1_ProgressChange(int progress, int progressMax);
    void WebBrowser1_StatusTextChange(const QString &text);

    QWidget &m_window;
    Parts m_parts;
    WindowServices m_services;
    // The main window outlives the others in the program; a guard all the same, so a window
    // left open by whoever deleted the main window never reaches a dead one.
    QPointer<BrowserHost> m_host;
    Differences m_differences;
    FindBar *m_findBar;           // the window's child
    DownloadNotices *m_downloads; // the window's child
    std::string m_pageSource;     // the body of this window's last completed document
};

} // namespace torvi
