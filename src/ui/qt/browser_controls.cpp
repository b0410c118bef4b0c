// Torvi: what both browser windows do alike with their page engine and its controls.
#include "ui/qt/browser_controls.h"

#include "nav/page_events.h"
#include "threats/threat_scanner.h"
#include "tools/version_info.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/download_notices.h"
#include "ui/qt/engine_view.h"
#include "ui/qt/find_bar.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/status_panels.h"
#include "ui/window_texts.h"

#include <QLabel>
#include <QShortcut>
#include <utility>

namespace torvi {

BrowserControls::BrowserControls(QWidget &window, Parts parts, WindowServices services,
                                 BrowserHost &host, Differences differences)
    : m_window(window), m_parts(std::move(parts)), m_services(std::move(services)), m_host(&host),
      m_differences(std::move(differences))
{
    const Parts &p = m_parts;
    m_findBar = new FindBar(*p.WebBrowser1, window);
    m_downloads = new DownloadNotices(*p.statusBar, window);
    p.Image1->setAccessibleName(qs(GoPictureName));
    p.statusBar->setPanelRole(1, qs(StatusRoleText));
    p.statusBar->setPanelRole(2, qs(StatusRoleVerdict));
    p.statusBar->setPanelRole(3, qs(StatusRoleProgress));

    connect(p.cmdIndietro, &QToolButton::clicked, this, &BrowserControls::cmdIndietro_Click);
    connect(p.cmdAvanti, &QToolButton::clicked, this, &BrowserControls::cmdAvanti_Click);
    connect(p.cmdRefresh, &QToolButton::clicked, this, &BrowserControls::cmdRefresh_Click);
    connect(p.cmdHome, &QToolButton::clicked, this, &BrowserControls::cmdHome_Click);
    connect(p.searchButton, &QToolButton::clicked, this, &BrowserControls::searchButton_Click);
    connect(p.cmdInfo, &QToolButton::clicked, this, &BrowserControls::cmdInfo_Click);
    connect(p.Command2, &QToolButton::clicked, this, &BrowserControls::Command2_Click);
    connect(p.Image1, &QToolButton::clicked, this, &BrowserControls::Image1_Click);
    connect(p.addressBox, &AddressLineEdit::KeyPress, this, &BrowserControls::addressBox_KeyPress);
    bindKeys();

    connect(p.WebBrowser1, &EngineView::NavigateError, this,
            &BrowserControls::WebBrowser1_NavigateError);
    connect(p.WebBrowser1, &EngineView::ProgressChange, this,
            &BrowserControls::WebBrowser1_ProgressChange);
    connect(p.WebBrowser1, &EngineView::StatusTextChange, this,
            &BrowserControls::WebBrowser1_StatusTextChange);
    connect(p.WebBrowser1, &EngineView::ZoomWheel, this, &BrowserControls::zoom);
    connect(p.WebBrowser1, &EngineView::DownloadChange, m_downloads, &DownloadNotices::show);
    connect(p.WebBrowser1, &EngineView::ViewSourceRequested, this,
            &BrowserControls::WebBrowser1_ViewSourceRequested);
    p.WebBrowser1->setNewWindowHandler([this](const PageQuestion &question, bool &refuseMore) {
        return WebBrowser1_NewWindow2(question, refuseMore);
    });
    p.WebBrowser1->setDialogHandler(
        [this](const PageQuestion &question) { return WebBrowser1_Dialog(question); });
}

// The window's members go before its controls: the engine must not ask a handler that is gone.
BrowserControls::~BrowserControls()
{
    m_parts.WebBrowser1->setNewWindowHandler({});
    m_parts.WebBrowser1->setDialogHandler({});
}

// The keys a browser user expects: Ctrl+L and F6 select the address box; Alt+Left/Right, F5
// and Esc go through the hub like their buttons; Ctrl++, Ctrl+- and Ctrl+0 zoom; Ctrl+F, F3
// and Shift+F3 find on the page. Tab follows the toolbar.
void BrowserControls::bindKeys()
{
    const auto key = [this](QKeySequence sequence, void (BrowserControls::*action)()) {
        auto *shortcut = new QShortcut(sequence, &m_window);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    const auto focusAddressBox = [this](QKeySequence sequence) {
        auto *shortcut = new QShortcut(sequence, &m_window);
        connect(shortcut, &QShortcut::activated, this, [box = m_parts.addressBox] {
            box->setFocus(Qt::ShortcutFocusReason);
            box->selectAll();
        });
    };
    focusAddressBox(QKeySequence(Qt::CTRL | Qt::Key_L));
    focusAddressBox(QKeySequence(Qt::Key_F6));
    key(QKeySequence(Qt::ALT | Qt::Key_Left), &BrowserControls::cmdIndietro_Click);
    key(QKeySequence(Qt::ALT | Qt::Key_Right), &BrowserControls::cmdAvanti_Click);
    key(QKeySequence(Qt::Key_F5), &BrowserControls::cmdRefresh_Click);
    key(QKeySequence(Qt::Key_Escape), &BrowserControls::stopLoading);
    const auto zoomKey = [this](QKeySequence sequence, int steps) {
        auto *shortcut = new QShortcut(sequence, &m_window);
        connect(shortcut, &QShortcut::activated, this, [this, steps] { zoom(steps); });
    };
    // Ctrl+= is where Ctrl++ lies without Shift on many keyboards.
    zoomKey(QKeySequence(Qt::CTRL | Qt::Key_Plus), 1);
    zoomKey(QKeySequence(Qt::CTRL | Qt::Key_Equal), 1);
    zoomKey(QKeySequence(Qt::CTRL | Qt::Key_Minus), -1);
    zoomKey(QKeySequence(Qt::CTRL | Qt::Key_0), 0);
    const auto findKey = [this](QKeySequence sequence, void (FindBar::*action)()) {
        auto *shortcut = new QShortcut(sequence, &m_window);
        connect(shortcut, &QShortcut::activated, m_findBar, action);
    };
    findKey(QKeySequence(Qt::CTRL | Qt::Key_F), &FindBar::open);
    findKey(QKeySequence(Qt::Key_F3), &FindBar::findNext);
    findKey(QKeySequence(Qt::SHIFT | Qt::Key_F3), &FindBar::findPrevious);

    QWidget *previous = nullptr;
    for (QWidget *w : m_parts.tabOrder) {
        w->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void BrowserControls::navigate(const std::string &url, std::string_view action)
{
    m_services.hub.NavigateBrowser(url, std::string{action}, *m_parts.WebBrowser1,
                                   *m_parts.addressBox);
}

void BrowserControls::cmdIndietro_Click()
{
    emit toolbarCommand();
    navigate({}, ActionBack);
}

void BrowserControls::cmdAvanti_Click()
{
    emit toolbarCommand();
    navigate({}, ActionNext);
}

void BrowserControls::cmdRefresh_Click()
{
    emit toolbarCommand();
    navigate({}, ActionRefresh);
}

void BrowserControls::cmdHome_Click()
{
    emit toolbarCommand();
    navigate(m_services.endpoints.HomeUrl);
}

void BrowserControls::searchButton_Click()
{
    emit toolbarCommand();
    navigate(m_differences.searchAddress);
}

void BrowserControls::cmdInfo_Click()
{
    emit toolbarCommand();
    navigate(m_services.endpoints.InfoUrl);
}

void BrowserControls::Command2_Click()
{
    emit toolbarCommand();
    if (m_host)
        (void)m_host->newWebBrowser({});
}

void BrowserControls::Image1_Click()
{
    navigate(m_parts.addressBox->addressText());
}

void BrowserControls::addressBox_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        Image1_Click();
}

void BrowserControls::stopLoading()
{
    emit toolbarCommand();
    m_services.hub.StopBrowser(*m_parts.WebBrowser1, *m_parts.addressBox);
}

// Steps up or down, or back to the normal size with none; the status bar shows any other.
void BrowserControls::zoom(int steps)
{
    const int percent = nextZoomPercent(m_parts.WebBrowser1->zoomPercent(), steps);
    m_parts.WebBrowser1->setZoomPercent(percent);
    m_parts.statusBar->setNote(qs(zoomText(percent)));
}

bool BrowserControls::showCompletedAddress(const QString &url, const DocumentSnapshot &document)
{
    m_parts.addressBox->setText(url);
    // Queued, not written: a log record that cannot be written loses only itself, and the
    // page gets its caption, its check and its verdict without waiting for the disk.
    m_services.hub.records().WriteHistoryXml(m_parts.WebBrowser1->LocationURL(),
                                             m_services.hub.DownloadPending());
    if (!document.hasBody) {
        // Nothing to check: no verdict rather than the previous page's.
        m_parts.statusBar->setPanelText(2, QString());
        return false;
    }
    return true;
}

void BrowserControls::checkPage(const std::string &url, const std::string &body)
{
    m_pageSource = body;
    if (!m_host)
        return;
    const bool clean = m_host->CheckDanger(body, url);
    m_parts.statusBar->setPanelText(2, qs(verdictText(clean)));
    m_parts.statusBar->setPanelAlignment(2, Qt::AlignHCenter);
    m_host->refreshCounter();
}

void BrowserControls::WebBrowser1_NavigateError(const QString &url, int statusCode)
{
    if (const auto search = searchAfterError(m_services.endpoints.SearchQueryUrl, url.toStdString(),
                                             statusCode, m_parts.addressBox->addressText()))
        navigate(*search);
}

// The designed question, in the designed message box; from the page's second request on it
// also offers to refuse the page's further requests.
EngineView *BrowserControls::WebBrowser1_NewWindow2(const PageQuestion &question, bool &refuseMore)
{
    MessageAnswer answer;
    if (question.offerRefuseMore) {
        const QuestionAnswer asked =
            m_services.messageBoxes.ask(&m_window, {Question::Kind::Confirmation,
                                                    qs(TorviVersion.title),
                                                    qs(m_differences.newWindowQuestion),
                                                    {},
                                                    qs(RefuseMoreNewWindows)});
        answer = asked.answer;
        refuseMore = asked.checked;
    } else {
        answer = m_services.messageBoxes.show(&m_window, qs(m_differences.newWindowQuestion),
                                              MessageButtons::OkCancel, MessageIcon::None,
                                              qs(TorviVersion.title));
    }
    if (answer != MessageAnswer::Ok)
        return nullptr;
    return m_host ? m_host->openRequestedWindow() : nullptr;
}

// The page's alert, confirmation or prompt, captioned with the page's host.
PageQuestionAnswer BrowserControls::WebBrowser1_Dialog(const PageQuestion &question)
{
    Question asked{Question::Kind::Message, qs(PageDialogCaption) + question.host, question.text,
                   question.defaultText,
                   question.offerRefuseMore ? qs(RefuseMoreDialogs) : QString()};
    if (question.kind == PageQuestion::Kind::Confirm)
        asked.kind = Question::Kind::Confirmation;
    else if (question.kind == PageQuestion::Kind::Prompt)
        asked.kind = Question::Kind::Prompt;
    const QuestionAnswer answer = m_services.messageBoxes.ask(&m_window, asked);
    return {answer.answer == MessageAnswer::Ok, answer.text, answer.checked};
}

void BrowserControls::WebBrowser1_ViewSourceRequested()
{
    if (m_host)
        m_host->showPageSource(m_pageSource);
}

void BrowserControls::WebBrowser1_ProgressChange(int progress, int progressMax)
{
    m_parts.statusBar->setPanelText(3, qs(progressText(progress, progressMax)));
}

void BrowserControls::WebBrowser1_StatusTextChange(const QString &text)
{
    m_parts.statusBar->setPanelText(1, text);
}

} // namespace torvi
