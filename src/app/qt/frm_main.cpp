// Torvi: the main browser window.
#include "app/qt/frm_main.h"

#include "app/app_texts.h"
#include "app/qt/frm_source.h"
#include "nav/endpoints.h"
#include "nav/windows_path.h"
#include "popup/popup_texts.h"
#include "popup/qt/web_form.h"
#include "tools/qt/frm_about.h"
#include "tools/user_name.h"
#include "tools/version_info.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/browser_controls.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/resources.h"
#include "ui/qt/status_panels.h"
#include "ui/qt/twip_geometry.h"
#include "ui/qt/window_manager_state.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

namespace torvi {

frmMain::frmMain(MainServices services, std::string commandLine, QWidget *parent)
    : BrowserHost(parent), m_services(std::move(services)), m_commandLine(std::move(commandLine))
{
    initTorviResources();
    setObjectName("frmMain");
    setWindowIcon(QIcon(Icons::Logo));
    new WindowManagerState(*this);
    setWindowTitle(qs(MainCaption));
    resize(px(MainDesign::ClientWidth), px(MainDesign::ClientHeight));
    setWindowState(Qt::WindowMaximized);

    buildControls();
    stackControls();
    dockStatusBars();
    connectHandlers();
    bindEngineEvents();
    Form_Load();
}

// The engines go down with the window; their last signals must not reach handlers of a
// window being taken apart.
frmMain::~frmMain()
{
    disconnect(WebBrowser1, nullptr, this, nullptr);
}

void frmMain::buildControls()
{
    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setAccessibleName("Fascia della barra degli strumenti");
    Shape1->setFrameShape(QFrame::NoFrame);
    Shape1->setAutoFillBackground(true);
    Shape1->setBackgroundRole(QPalette::Midlight);
    placeInTwips(Shape1, MainDesign::Shape1);

    cmdIndietro = new PictureButton("cmdIndietro", qs(TipIndietro), Icons::Back, this);
    cmdAvanti = new PictureButton("cmdAvanti", qs(TipAvanti), Icons::Forward, this);
    cmdRefresh = new PictureButton("cmdRefresh", qs(TipRefresh), Icons::Refresh, this);
    cmdHome = new PictureButton("cmdHome", qs(TipHome), Icons::Home, this);
    Command3 = new PictureButton("Command3", qs(TipCerca), Icons::Search, this);
    cmdInfo = new PictureButton("cmdInfo", qs(TipInfo), Icons::Info, this);
    Command2 = new PictureButton("Command2", qs(TipNuovaFinestra), Icons::NewWindow, this);
    placeInTwips(cmdIndietro, MainDesign::cmdIndietro);
    placeInTwips(cmdAvanti, MainDesign::cmdAvanti);
    placeInTwips(cmdRefresh, MainDesign::cmdRefresh);
    placeInTwips(cmdHome, MainDesign::cmdHome);
    placeInTwips(Command3, MainDesign::Command3);
    placeInTwips(cmdInfo, MainDesign::cmdInfo);
    placeInTwips(Command2, MainDesign::Command2);

    Text1 = new AddressLineEdit("Text1", this);
    Text1->setAccessibleName("Indirizzo");
    QFont addressFont = Text1->font();
    addressFont.setPointSize(12);
    Text1->setFont(addressFont);
    Text1->setText(QString::fromStdString(withoutFinalSlash(m_services.endpoints.HomeUrl)));
    placeInTwips(Text1, MainDesign::Text1);

    Image1 = new PictureButton("Image1", {}, Icons::Go, this);
    placeInTwips(Image1, MainDesign::Image1);
    Image2 = new PictureButton("Image2", {}, Icons::Menu, this);
    Image2->setAccessibleName(qs(NameMenu));
    placeInTwips(Image2, MainDesign::Image2);

    WebBrowser3 = m_services.engineFactory(this, EngineRole::Counter);
    WebBrowser3->setObjectName("WebBrowser3");
    WebBrowser3->setAccessibleName("Contatore");
    placeInTwips(WebBrowser3, MainDesign::WebBrowser3);
    WebBrowser1 = m_services.engineFactory(this, EngineRole::Page);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setAccessibleName("Pagina");
    placeInTwips(WebBrowser1, MainDesign::WebBrowser1);
    WebBrowser2 = m_services.engineFactory(this, EngineRole::Tools);
    WebBrowser2->setObjectName("WebBrowser2");
    WebBrowser2->setAccessibleName("Strumenti");
    placeInTwips(WebBrowser2, MainDesign::WebBrowser2);
    WebBrowser2->hide();

    listDanger = new QListWidget(this);
    listDanger->setObjectName("listDanger");
    listDanger->setAccessibleName("Informazioni sul sito");
    placeInTwips(listDanger, MainDesign::listDanger);
    listDanger->hide();

    Text2 = new AddressLineEdit("Text2", this);
    Text2->setText("Text2");
    Text2->setAccessibleName("Indirizzo degli strumenti");
    placeInTwips(Text2, MainDesign::Text2);
    Text2->hide();

    StatusBar2 =
        new StatusPanels("StatusBar2",
                         {MainDesign::StatusBar2Panels[0], MainDesign::StatusBar2Panels[1],
                          MainDesign::StatusBar2Panels[2], MainDesign::StatusBar2Panels[3]},
                         this);
    StatusBar2->setPanelText(4, qs(StatusPanelFavorites));
    StatusBar1 = new StatusPanels("StatusBar1", {MainDesign::ClientWidth}, this);
    StatusBar1->panel(1)->setAccessibleName("Barra di stato");

    // The panels place themselves at their designed places, hidden.
    Frame1 = new FavoritesPanel(*this, m_services.messageBoxes, this);
    Frame2 = new HistoryPanel(*this, m_services.fileSystem, m_services.messageBoxes,
                              currentUserName, this);

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setAccessibleName(qs(NameMenu));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    // The list keeps its designed size: a small font lets all fifteen items show at once, and
    // an item too long for the width is clipped (its whole text is its tool tip).
    QFont menuFont = List1->font();
    menuFont.setPointSizeF(8);
    List1->setFont(menuFont);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setTextElideMode(Qt::ElideNone);
    for (const MenuItem &item : MenuItems) {
        auto *entry = new QListWidgetItem(qs(item.text), List1);
        entry->setToolTip(entry->text());
    }
    placeInTwips(List1, MainDesign::List1);
    List1->hide();
}

// Bottom to top: the counter engine (shown, but covered by the page), the page, the tools
// page, the site-information list, the two panels, and the command list above all.
void frmMain::stackControls()
{
    for (QWidget *w : std::initializer_list<QWidget *>{WebBrowser3, WebBrowser1, WebBrowser2,
                                                       listDanger, Frame1, Frame2, List1})
        w->raise();
}

void frmMain::dockStatusBars()
{
    const int bar1 = px(MainDesign::StatusBar1Height, this);
    const int bar2 = px(MainDesign::StatusBar2Height, this);
    StatusBar1->setGeometry(0, height() - bar1, width(), bar1);
    StatusBar2->setGeometry(0, height() - bar1 - bar2, width(), bar2);
    StatusBar1->raise();
    StatusBar2->raise();
}

// The toolbar and the address box go through BrowserControls, like a secondary window's; each
// toolbar button closes the command list first, Enter and the go picture do not.
void frmMain::connectHandlers()
{
    m_controls = std::make_unique<BrowserControls>(
        *this,
        BrowserControls::Parts{.WebBrowser1 = WebBrowser1,
                               .addressBox = Text1,
                               .statusBar = StatusBar2,
                               .cmdIndietro = cmdIndietro,
                               .cmdAvanti = cmdAvanti,
                               .cmdRefresh = cmdRefresh,
                               .cmdHome = cmdHome,
                               .searchButton = Command3,
                               .cmdInfo = cmdInfo,
                               .Command2 = Command2,
                               .Image1 = Image1,
                               .tabOrder = {cmdIndietro, cmdAvanti, cmdRefresh, cmdHome, Command3,
                                            cmdInfo, Command2, Text1, Image1, Image2}},
        m_services, *this,
        BrowserControls::Differences{.newWindowQuestion = NewWindowQuestion,
                                     .searchAddress = m_services.endpoints.SearchHomeUrl});
    connect(m_controls.get(), &BrowserControls::toolbarCommand, List1, &QWidget::hide);
    connect(Image2, &QToolButton::clicked, this, &frmMain::Image2_Click);
    // A click on the menu button leaves the focus where it is: taking it from the list would
    // hide the list just before the click toggles it open again. Tab still reaches it.
    Image2->setFocusPolicy(Qt::TabFocus);
    connect(List1, &QListWidget::itemClicked, this, &frmMain::List1_Click);
    List1->installEventFilter(this);
    List1->viewport()->installEventFilter(this);
    // The page's engine keeps the focus where it was on a click, so the list would not lose
    // it: a press anywhere in the page closes the list as a press elsewhere does.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (now == List1 && old != List1)
            m_focusBeforeList = old;
    });
    connect(listDanger, &QListWidget::currentRowChanged, this, [this] { listDanger_Click(); });
    connect(listDanger, &QListWidget::itemClicked, this, [this] { listDanger_Click(); });
}

void frmMain::listDanger_Click()
{
    List1->hide();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && List1->isVisible() &&
        watched->isWidgetType()) {
        auto *pressed = static_cast<QWidget *>(watched);
        if (pressed == WebBrowser1 || WebBrowser1->isAncestorOf(pressed))
            List1->hide();
    }
    // The list has no context menu: a right button neither selects nor runs anything.
    if (watched == List1->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
                return true;
            break;
        default:
            break;
        }
    }
    if (watched == List1) {
        if (event->type() == QEvent::FocusOut) {
            List1_LostFocus();
        } else if (event->type() == QEvent::ShortcutOverride) {
            // Esc in the list closes the list rather than stopping the page.
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                event->accept();
        } else if (event->type() == QEvent::KeyPress) {
            // From the keyboard a command runs on Enter; the arrows only move the selection.
            const int key = static_cast<QKeyEvent *>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && List1->currentItem()) {
                List1_Click();
                return true;
            }
            if (key == Qt::Key_Escape) {
                closeListFromKeyboard();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The program goes on while other windows are open; the hidden window's engines must not
// go on loading, running scripts and playing sound out of sight. Closing hides the window
// only once this returns, and the engine frees a page only out of sight.
void frmMain::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    QTimer::singleShot(0, this, [this] {
        if (isHidden())
            for (EngineView *engine : {WebBrowser1, WebBrowser2, WebBrowser3})
                engine->windowClosed();
    });
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    dockStatusBars();
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    formResize(m_layout, outerWidthTwips(), outerHeightTwips());
    applyLayout();
}

void frmMain::applyLayout()
{
    const MainLayout &l = m_layout;
    Image2->move(px(l.image2Left, this), Image2->y());
    List1->move(px(l.list1Left, this), List1->y());
    WebBrowser1->setGeometry(px(l.webBrowser1Left, this), px(l.webBrowser1Top, this),
                             px(l.webBrowser1Width, this), px(l.webBrowser1Height, this));
    listDanger->resize(px(l.listDangerWidth, this), px(l.listDangerHeight, this));
    WebBrowser2->resize(px(l.webBrowser2Width, this), px(l.webBrowser2Height, this));
    Image1->move(px(l.image1Left, this), Image1->y());
    Text1->resize(px(l.text1Width, this), Text1->height());
}

float frmMain::outerWidthTwips() const
{
    return twipsOf(frameGeometry().width(), this);
}

float frmMain::outerHeightTwips() const
{
    return twipsOf(frameGeometry().height(), this);
}

void frmMain::Form_Load()
{
    NavigationHub &hub = m_services.hub;
    const Endpoints &endpoints = m_services.endpoints;

    // The page: the command line's address as it stands (not trimmed or unquoted), else the
    // start page and, when present, the local test page in a secondary window.
    if (!m_commandLine.empty()) {
        hub.NavigateBrowser(m_commandLine, "", *WebBrowser1, *Text1);
    } else {
        hub.NavigateBrowser(endpoints.StartPageUrl, "", *WebBrowser1, *Text1);
        const std::string testPage = applicationDirectory() + "\\myModule\\test.html";
        if (m_services.fileSystem.FileExists(testPage))
            (void)newWebBrowser(localPageAddress(testPage));
    }

    // The tools page, hidden until the command list shows it.
    hub.NavigateBrowser(endpoints.DesktopPageUrl, "", *WebBrowser2, *Text2);

    // The three views of the page area, sized from the outer size the window has now.
    startupLayout(m_layout, outerWidthTwips(), outerHeightTwips());
    applyLayout();

    // The counter page, reloaded after every completed document.
    hub.NavigateBrowser(endpoints.CounterUrl, "", *WebBrowser3, *Text2);

    // Until the keyword table is filled every page is clean.
    m_services.threatScanner.InitDanger();
}

bool frmMain::newWebBrowser(const std::string &URL)
{
    if (!m_slots.take()) {
        m_services.messageBoxes.show(this, qs(NewWindowFailed), MessageButtons::Ok,
                                     MessageIcon::Critical, qs(TorviVersion.title));
        return false;
    }
    // The window lives on by being shown; nothing keeps a hold on it.
    auto *form = new webForm(m_services, *this);
    m_services.hub.NavigateBrowser(URL.empty() ? m_services.endpoints.SearchHomeUrl : URL, "",
                                   *form->WebBrowser1, *form->txtURL);
    form->show();
    return true;
}

void frmMain::Image2_Click()
{
    // Showing the list does not give it the keyboard focus.
    List1->setVisible(List1->isHidden());
}

// The list's rows are MenuItems, in order, and never change: the row names the command.
void frmMain::List1_Click()
{
    const int row = List1->currentRow();
    const MenuCommand command = row >= 0 && row < static_cast<int>(MenuItems.size())
                                    ? MenuItems[static_cast<std::size_t>(row)].command
                                    : MenuCommand::None;
    switch (command) {
    case MenuCommand::EndProgram:
        // Every window goes at once; nothing after this runs.
        if (m_services.endProgram)
            m_services.endProgram();
        return;
    case MenuCommand::Update:
        (void)newWebBrowser(m_services.endpoints.UpdateUrl + versionText());
        break;
    case MenuCommand::DefaultBrowser:
        if (m_services.registerDefaultBrowser)
            m_services.registerDefaultBrowser();
        break;
    case MenuCommand::ShowFavorites:
        Frame1->InitPreferiti();
        break;
    case MenuCommand::ShowPageSource:
        showPageSource(m_controls->pageSource());
        break;
    case MenuCommand::ShowHistory:
        Frame2->InitCronologia();
        break;
    case MenuCommand::ShowAbout:
        if (!m_about)
            m_about = new frmAbout();
        m_about->show();
        m_about->raise();
        break;
    case MenuCommand::PageView:
        showView(WebBrowser1);
        break;
    case MenuCommand::SiteInformationView:
        showView(listDanger);
        break;
    case MenuCommand::ToolsView:
        // The tools page tells what was checked so far: it comes up afresh, and back from
        // wherever a link in it has led.
        m_services.hub.NavigateBrowser(m_services.endpoints.DesktopPageUrl, "", *WebBrowser2,
                                       *Text2);
        showView(WebBrowser2);
        break;
    case MenuCommand::None:
        break;
    }
    List1->hide();
}

void frmMain::List1_LostFocus()
{
    List1->hide();
}

// Like a menu: the focus goes back to where it was before the list took it.
void frmMain::closeListFromKeyboard()
{
    List1->hide();
    if (m_focusBeforeList && m_focusBeforeList->isVisible())
        m_focusBeforeList->setFocus(Qt::PopupFocusReason);
}

// The view switch touches only the three views of the page area.
void frmMain::showView(QWidget *view)
{
    WebBrowser1->setVisible(view == WebBrowser1);
    listDanger->setVisible(view == listDanger);
    WebBrowser2->setVisible(view == WebBrowser2);
}

// The main engine's events beyond those BrowserControls handles alike in every window; the
// tools and counter engines have none.
void frmMain::bindEngineEvents()
{
    connect(WebBrowser1, &EngineView::DocumentComplete, this,
            &frmMain::WebBrowser1_DocumentComplete);
}

void frmMain::WebBrowser1_DocumentComplete(const QString &url, const DocumentSnapshot &document)
{
    List1->hide();
    if (!m_controls->showCompletedAddress(url, document))
        return;
    const std::string address = url.toStdString();
    setWindowTitle(qs(document.title));
    // Queued after the log record: a history line that cannot be written loses only itself.
    m_services.hub.records().AddCronologia(address, defaultDateTimeText(m_services.clock.now()),
                                           document.title);
    m_controls->checkPage(address, document.bodyHtml);
}

// Made on first use; shown again, it keeps its place with the new text.
void frmMain::showPageSource(const std::string &body)
{
    if (!m_source)
        m_source = new frmSource();
    m_source->Text1->setPlainText(QString::fromStdString(body));
    m_source->show();
    m_source->raise();
}

EngineView *frmMain::openRequestedWindow()
{
    // Handing the engine back makes it the request's target, which is what RegisterAsBrowser
    // did for the designed engine; Qt WebEngine's createWindow needs nothing more.
    auto *form = new webForm(m_services, *this);
    form->show();
    return form->WebBrowser1;
}

bool frmMain::CheckDanger(const std::string &pageText, const std::string &url)
{
    const CheckResult result = m_services.threatScanner.CheckDanger(pageText, url);
    m_services.checkedPages.record(url, result);
    for (const auto &line : result.lines)
        listDanger->addItem(QString::fromStdString(line));
    return result.clean;
}

void frmMain::refreshCounter()
{
    m_services.hub.NavigateBrowser({}, std::string{ActionRefresh}, *WebBrowser3, *Text2);
}

QString frmMain::pageCaption() const
{
    return windowTitle();
}

QString frmMain::pageAddressText() const
{
    return Text1->text();
}

QPoint frmMain::pageTopLeft() const
{
    return WebBrowser1->pos();
}

void frmMain::hidePageForPanel()
{
    WebBrowser3->hide();
    WebBrowser1->hide();
}

void frmMain::showPageAfterOpen()
{
    WebBrowser1->show();
    WebBrowser3->show();
}

void frmMain::closePanels()
{
    WebBrowser1->show();
    WebBrowser3->show();
    Frame1->hide();
    Frame2->hide();
}

void frmMain::openAddress(const std::string &address)
{
    m_services.hub.NavigateBrowser(address, "", *WebBrowser1, *Text1);
}

} // namespace torvi
