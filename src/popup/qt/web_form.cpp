// Torvi: a secondary browser window.
#include "popup/qt/web_form.h"

#include "endpoints.h"
#include "nav/addresses.h"
#include "nav/page_events.h"
#include "popup/popup_texts.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/browser_controls.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/resources.h"
#include "ui/qt/status_panels.h"
#include "ui/qt/twip_geometry.h"
#include "ui/qt/window_manager_state.h"

#include <QLabel>

namespace torvi {

webForm::webForm(WindowServices services, BrowserHost &mainWindow)
    : QWidget(nullptr), m_services(std::move(services))
{
    initTorviResources();
    setObjectName("webForm");
    setAttribute(Qt::WA_DeleteOnClose);
    new WindowManagerState(*this);
    setWindowIcon(QIcon(Icons::Logo));
    // Every instance is restored to the same place: no automatic placement.
    setGeometry(px(SecondaryDesign::RestoredLeft), px(SecondaryDesign::RestoredTop),
                px(SecondaryDesign::ClientWidth), px(SecondaryDesign::ClientHeight));

    buildControls();
    m_controls = std::make_unique<BrowserControls>(
        *this,
        BrowserControls::Parts{.WebBrowser1 = WebBrowser1,
                               .addressBox = txtURL,
                               .statusBar = StatusBar1,
                               .cmdIndietro = cmdIndietro,
                               .cmdAvanti = cmdAvanti,
                               .cmdRefresh = cmdRefresh,
                               .cmdHome = cmdHome,
                               .searchButton = cmdCerca,
                               .cmdInfo = cmdInfo,
                               .Command2 = Command2,
                               .Image1 = Image1,
                               .tabOrder = {cmdIndietro, cmdAvanti, cmdRefresh, cmdCerca, cmdHome,
                                            cmdInfo, Command2, txtURL, Image1}},
        m_services, mainWindow,
        // The secondary window's search button writes the address with a trailing "/".
        BrowserControls::Differences{.newWindowQuestion = PopupQuestion,
                                     .searchAddress = std::string{SearchHomeUrl} + "/"});
    bindEngineEvents();
    Form_Load();
    setWindowState(Qt::WindowMaximized);
}

// The engine goes down with the window; its last signals must not reach handlers of a
// window being taken apart.
webForm::~webForm()
{
    disconnect(WebBrowser1, nullptr, this, nullptr);
}

void webForm::buildControls()
{
    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setAccessibleName("Barra degli strumenti");
    Picture1->setAutoFillBackground(true);

    const auto button = [this](const char *name, std::string_view tip, const QString &icon,
                               int index) {
        auto *b = new PictureButton(name, qs(tip), icon, Picture1);
        placeInTwips(b, {index * SecondaryDesign::ButtonStep, 0, SecondaryDesign::ButtonSize,
                         SecondaryDesign::ButtonSize});
        return b;
    };
    cmdIndietro = button("cmdIndietro", SecTipIndietro, Icons::Back, 0);
    cmdAvanti = button("cmdAvanti", SecTipAvanti, Icons::Forward, 1);
    cmdRefresh = button("cmdRefresh", SecTipRefresh, Icons::Refresh, 2);
    cmdCerca = button("cmdCerca", SecTipCerca, Icons::Search, 3);
    cmdHome = button("cmdHome", SecTipHome, Icons::Home, 4);
    cmdInfo = button("cmdInfo", SecTipInfo, Icons::Info, 5);
    Command2 = button("Command2", SecTipNuovaFinestra, Icons::NewWindow, 6);

    Label1 = new QLabel(qs(AddressLabel), Picture1);
    Label1->setObjectName("Label1");
    txtURL = new AddressLineEdit("txtURL", Picture1);
    txtURL->setAccessibleName(qs(AddressLabel));
    txtURL->setText(QString::fromStdString(hostOf(SearchHomeUrl)));
    Label1->setBuddy(txtURL);
    Image1 = new PictureButton("Image1", {}, Icons::Logo, Picture1);

    WebBrowser1 = m_services.engineFactory(this, EngineRole::Secondary);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setAccessibleName("Pagina");

    StatusBar1 =
        new StatusPanels("StatusBar1",
                         {SecondaryDesign::StatusPanels[0], SecondaryDesign::StatusPanels[1],
                          SecondaryDesign::StatusPanels[2]},
                         this);
    applyLayout();
}

void webForm::Form_Load()
{
    const float height = secondaryLoadLayout(m_layout, twipsOf(frameGeometry().width(), this),
                                             twipsOf(frameGeometry().height(), this));
    // The frame is not the window's to size: take it off to get the client height.
    const int frame = frameGeometry().height() - geometry().height();
    resize(width(), px(height, this) - frame);
    applyLayout();
}

void webForm::AdjustLayout()
{
    adjustSecondaryLayout(m_layout, twipsOf(frameGeometry().width(), this),
                          twipsOf(frameGeometry().height(), this));
    applyLayout();
}

void webForm::applyLayout()
{
    const SecondaryLayout &l = m_layout;
    Picture1->setGeometry(px(l.picture1Left, this), 0, px(l.picture1Width, this),
                          px(l.picture1Height, this));
    Label1->setGeometry(px(l.label1Left, this), px(l.label1Top, this), px(l.label1Width, this),
                        px(l.label1Height, this));
    txtURL->setGeometry(px(l.txtUrlLeft, this), px(l.txtUrlTop, this), px(l.txtUrlWidth, this),
                        px(l.txtUrlHeight, this));
    Image1->setGeometry(px(l.image1Left, this), px(l.image1Top, this), px(l.image1Width, this),
                        px(l.image1Height, this));
    WebBrowser1->setGeometry(px(l.engineLeft, this), px(l.engineTop, this), px(l.engineWidth, this),
                             px(l.engineHeight, this));
    dockStatusBar();
}

void webForm::dockStatusBar()
{
    const int bar = px(SecondaryDesign::StatusBarHeight, this);
    StatusBar1->setGeometry(0, height() - bar, width(), bar);
    StatusBar1->raise();
}

void webForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    AdjustLayout();
}

// The engine's events beyond those BrowserControls handles alike in every window.
void webForm::bindEngineEvents()
{
    connect(WebBrowser1, &EngineView::DocumentComplete, this,
            &webForm::WebBrowser1_DocumentComplete);
    connect(WebBrowser1, &EngineView::NavigateComplete2, this,
            &webForm::WebBrowser1_NavigateComplete2);
    connect(WebBrowser1, &EngineView::WindowClosing, this, &webForm::WebBrowser1_WindowClosing);
}

// Unlike the main window's: no page source, no history line, and the address in the caption.
void webForm::WebBrowser1_DocumentComplete(const QString &url, const DocumentSnapshot &document)
{
    if (!m_controls->showCompletedAddress(url, document))
        return;
    const std::string address = url.toStdString();
    setWindowTitle(qs(secondaryCaption(document.title, address)));
    m_controls->checkPage(address, document.bodyHtml);
}

void webForm::WebBrowser1_NavigateComplete2()
{
    AdjustLayout();
}

// A page closing its own window: the window goes without asking.
void webForm::WebBrowser1_WindowClosing()
{
    close();
}

} // namespace torvi
