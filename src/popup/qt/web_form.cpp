// Torvi: a secondary browser window.
#include "popup/qt/web_form.h"

#include "app/app_texts.h"
#include "endpoints.h"
#include "nav/addresses.h"
#include "nav/page_events.h"
#include "popup/popup_texts.h"
#include "threats/threat_scanner.h"
#include "tools/version_info.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/browser_keys.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/resources.h"
#include "ui/qt/status_panels.h"
#include "ui/qt/twip_geometry.h"

#include <QLabel>

namespace torvi {

webForm::webForm(WindowServices services, BrowserHost &mainWindow)
    : QWidget(nullptr), m_services(std::move(services)), m_main(&mainWindow)
{
    initTorviResources();
    setObjectName("webForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(Icons::Logo));
    // Every instance is restored to the same place: no automatic placement.
    setGeometry(px(SecondaryDesign::RestoredLeft), px(SecondaryDesign::RestoredTop),
                px(SecondaryDesign::ClientWidth), px(SecondaryDesign::ClientHeight));

    buildControls();
    connectHandlers();
    bindEngineEvents();
    Form_Load();
    setWindowState(Qt::WindowMaximized);
}

// The engine goes down with the window; its last signals must not reach handlers of a
// window being taken apart.
webForm::~webForm()
{
    disconnect(WebBrowser1, nullptr, this, nullptr);
    WebBrowser1->setNewWindowHandler({});
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
    Image1->setAccessibleName(qs(LogoName));

    WebBrowser1 = m_services.engineFactory(this, EngineRole::Secondary);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setAccessibleName("Pagina");

    StatusBar1 =
        new StatusPanels("StatusBar1",
                         {SecondaryDesign::StatusPanels[0], SecondaryDesign::StatusPanels[1],
                          SecondaryDesign::StatusPanels[2]},
                         this);
    StatusBar1->panel(1)->setAccessibleName(qs(StatusRoleText));
    StatusBar1->panel(2)->setAccessibleName(qs(StatusRoleVerdict));
    StatusBar1->panel(3)->setAccessibleName(qs(StatusRoleProgress));
    applyLayout();
}

void webForm::connectHandlers()
{
    connect(cmdIndietro, &QToolButton::clicked, this, &webForm::cmdIndietro_Click);
    connect(cmdAvanti, &QToolButton::clicked, this, &webForm::cmdAvanti_Click);
    connect(cmdRefresh, &QToolButton::clicked, this, &webForm::cmdRefresh_Click);
    connect(cmdCerca, &QToolButton::clicked, this, &webForm::cmdCerca_Click);
    connect(cmdHome, &QToolButton::clicked, this, &webForm::cmdHome_Click);
    connect(cmdInfo, &QToolButton::clicked, this, &webForm::cmdInfo_Click);
    connect(Command2, &QToolButton::clicked, this, &webForm::Command2_Click);
    connect(Image1, &QToolButton::clicked, this, &webForm::Image1_Click);
    connect(txtURL, &AddressLineEdit::KeyPress, this, &webForm::txtURL_KeyPress);
    bindKeyboard();
}

// The same keys as the main window, on this window's engine and address box.
void webForm::bindKeyboard()
{
    bindBrowserKeys(
        *this, *txtURL,
        {[this] { cmdIndietro_Click(); }, [this] { cmdAvanti_Click(); },
         [this] { cmdRefresh_Click(); }, [this] { stopLoading(); }},
        {cmdIndietro, cmdAvanti, cmdRefresh, cmdCerca, cmdHome, cmdInfo, Command2, txtURL, Image1});
}

void webForm::stopLoading()
{
    m_services.hub.StopBrowser(*WebBrowser1, *txtURL);
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
    (void)adjustSecondaryLayout(m_layout, twipsOf(frameGeometry().width(), this),
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

void webForm::navigate(const std::string &url, const std::string &action)
{
    m_services.hub.NavigateBrowser(url, action, *WebBrowser1, *txtURL);
}

void webForm::cmdIndietro_Click()
{
    navigate({}, std::string{ActionBack});
}

void webForm::cmdAvanti_Click()
{
    navigate({}, std::string{ActionNext});
}

void webForm::cmdRefresh_Click()
{
    navigate({}, std::string{ActionRefresh});
}

void webForm::cmdCerca_Click()
{
    navigate(std::string{SearchHomeUrl} + "/");
}

void webForm::cmdHome_Click()
{
    navigate(std::string{HomeUrl});
}

void webForm::cmdInfo_Click()
{
    navigate(std::string{InfoUrl});
}

void webForm::Command2_Click()
{
    if (m_main)
        (void)m_main->newWebBrowser({});
}

void webForm::Image1_Click()
{
    navigate(txtURL->addressText());
}

void webForm::txtURL_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        Image1_Click();
}

void webForm::bindEngineEvents()
{
    connect(WebBrowser1, &EngineView::DocumentComplete, this,
            &webForm::WebBrowser1_DocumentComplete);
    connect(WebBrowser1, &EngineView::NavigateComplete2, this,
            &webForm::WebBrowser1_NavigateComplete2);
    connect(WebBrowser1, &EngineView::NavigateError, this, &webForm::WebBrowser1_NavigateError);
    connect(WebBrowser1, &EngineView::ProgressChange, this, &webForm::WebBrowser1_ProgressChange);
    connect(WebBrowser1, &EngineView::StatusTextChange, this,
            &webForm::WebBrowser1_StatusTextChange);
    connect(WebBrowser1, &EngineView::WindowClosing, this, &webForm::WebBrowser1_WindowClosing);
    WebBrowser1->setNewWindowHandler([this] { return WebBrowser1_NewWindow2(); });
}

void webForm::WebBrowser1_DocumentComplete(const QString &url, const DocumentSnapshot &document)
{
    const std::string address = url.toStdString();
    txtURL->setText(url);
    // A log record that cannot be written loses only itself.
    (void)m_services.hub.log().WriteHistoryXml(WebBrowser1->LocationURL(),
                                               m_services.hub.DownloadPending());
    if (!document.hasBody) {
        // Nothing to check: no verdict rather than the previous page's.
        StatusBar1->setPanelText(2, QString());
        return;
    }
    setWindowTitle(QString::fromStdString(secondaryCaption(document.title, address)));
    if (!m_main)
        return;
    const bool clean = m_main->CheckDanger(document.bodyHtml, address);
    StatusBar1->setPanelText(2, qs(verdictText(clean)));
    StatusBar1->setPanelAlignment(2, Qt::AlignHCenter);
    m_main->refreshCounter();
}

void webForm::WebBrowser1_NavigateComplete2()
{
    AdjustLayout();
}

void webForm::WebBrowser1_NavigateError(const QString &url, int statusCode)
{
    if (const auto search = searchAfterError(url.toStdString(), statusCode, txtURL->addressText()))
        navigate(*search);
}

EngineView *webForm::WebBrowser1_NewWindow2()
{
    if (m_services.messageBoxes.show(this, qs(PopupQuestion), MessageButtons::OkCancel,
                                     MessageIcon::None,
                                     qs(TorviVersion.title)) != MessageAnswer::Ok)
        return nullptr;
    return m_main ? m_main->openRequestedWindow() : nullptr;
}

void webForm::WebBrowser1_ProgressChange(int progress, int progressMax)
{
    StatusBar1->setPanelText(3, QString::fromStdString(progressText(progress, progressMax)));
}

void webForm::WebBrowser1_StatusTextChange(const QString &text)
{
    StatusBar1->setPanelText(1, text);
}

// A page closing its own window: the window goes without asking.
void webForm::WebBrowser1_WindowClosing()
{
    close();
}

} // namespace torvi
