// Torvi: the main browser window. Its construction is the program's start-up: it builds the
// designed controls, then runs the load handler that sends the three engines to their pages.
#pragma once

#include "app/qt/main_services.h"

#include <QWidget>
#include <string>

class QFrame;
class QGroupBox;
class QListWidget;
class QToolButton;

namespace torvi {

class AddressLineEdit;
class EngineView;
class PictureButton;
class StatusPanels;

class frmMain : public QWidget
{
    Q_OBJECT

public:
    // commandLine: everything after the program name, as one string.
    frmMain(MainServices services, std::string commandLine, QWidget *parent = nullptr);
    ~frmMain() override;

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
    QGroupBox *Frame1;
    QGroupBox *Frame2;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void stackControls();
    void dockStatusBars();
    void Form_Load();

    // The window's outer size in twips, frame and title bar included.
    float outerWidthTwips() const;
    float outerHeightTwips() const;

    MainServices m_services;
    std::string m_commandLine;
};

} // namespace torvi
