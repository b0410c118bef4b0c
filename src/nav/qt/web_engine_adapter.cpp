// Torvi: the real engine instance, Qt WebEngine behind the engine members and events.
#include "nav/qt/web_engine_adapter.h"

#include "nav/page_events.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QMetaMethod>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QVariantMap>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <QWheelEvent>
#include <utility>

namespace torvi {

namespace {

// A string literal for a script: JSON, with the two line separators escaped as well, which
// older script engines do not accept raw inside a literal.
QString scriptStringLiteral(const QString &text)
{
    QString json =
        QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
    json = json.mid(1, json.size() - 2);
    json.replace(QChar(0x2028), QStringLiteral("\\u2028"));
    json.replace(QChar(0x2029), QStringLiteral("\\u2029"));
    return json;
}

// Runs in every document, frames included, in the isolated world: pages can neither see it
// nor forge its message, which the page checks by the script's source id.
QString completionScriptSource()
{
    return QStringLiteral("(function () {"
                          "  function report() { console.log(%1 + location.href); }"
                          "  if (document.readyState === 'complete') report();"
                          "  else window.addEventListener('load', report, { once: true });"
                          "})();")
        .arg(scriptStringLiteral(QString::fromLatin1(WebEngineAdapter::completionMarker)));
}

constexpr char snapshotScript[] =
    "(function () {"
    "  var body = document.body;"
    "  return { hasBody: !!body, body: body ? body.innerHTML : '', title: document.title };"
    "})()";

// Typed text becomes an address the way an address box reads it: "ciao" is http://ciao,
// which then fails its name lookup like any unknown host.
QUrl addressFromText(const QString &text)
{
    return QUrl::fromUserInput(text);
}

bool isWebAddress(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

// Chromium's net::ERR_INVALID_URL.
constexpr int invalidUrlError = -300;
// Chromium's net::ERR_FAILED, for a failure that came without a code.
constexpr int genericFailure = -2;

// How long a renderer may keep a navigation script waiting before the engine gives up on it.
constexpr int busyRendererWaitMs = 3000;

} // namespace

class WebEngineAdapter::Page : public QWebEnginePage
{
public:
    Page(QWebEngineProfile *profile, WebEngineAdapter *adapter)
        : QWebEnginePage(profile, adapter), m_adapter(adapter)
    {}

    // The adapter has gone on in a fresh page; this one only waits to be deleted.
    void retire() { m_adapter = nullptr; }

protected:
    QWebEnginePage *createWindow(WebWindowType) override
    {
        return m_adapter ? m_adapter->pageForNewWindow() : nullptr;
    }

    // The page's dialogs go to its window, never to the engine's own boxes.
    void javaScriptAlert(const QUrl &origin, const QString &text) override
    {
        if (m_adapter)
            (void)m_adapter->askDialog(PageQuestion::Kind::Alert, origin, text, {}, nullptr);
    }

    bool javaScriptConfirm(const QUrl &origin, const QString &text) override
    {
        return m_adapter &&
               m_adapter->askDialog(PageQuestion::Kind::Confirm, origin, text, {}, nullptr);
    }

    bool javaScriptPrompt(const QUrl &origin, const QString &text, const QString &defaultText,
                          QString *result) override
    {
        return m_adapter &&
               m_adapter->askDialog(PageQuestion::Kind::Prompt, origin, text, defaultText, result);
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int,
                                  const QString &sourceId) override
    {
        static const QString ownSource =
            QStringLiteral("userscript:") + QString::fromLatin1(completionScriptName);
        static const QString marker = QString::fromLatin1(completionMarker);
        if (m_adapter && sourceId == ownSource && message.startsWith(marker))
            m_adapter->documentCompleted(message.mid(marker.size()));
    }

private:
    WebEngineAdapter *m_adapter;
};

StartGate::StartGate(int longestWaitMs, QObject *parent) : QObject(parent)
{
    QTimer::singleShot(longestWaitMs, this, &StartGate::open);
}

void StartGate::open()
{
    if (std::exchange(m_open, true))
        return;
    emit opened();
}

WebEngineAdapter::WebEngineAdapter(QWebEngineProfile *profile, QWidget *parent,
                                   ReloadWhileLoading reloads, StartGate *waitFor)
    : EngineView(parent), m_reloads(reloads), m_profile(profile)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (waitFor && !waitFor->isOpen()) {
        m_gate = waitFor;
        connect(waitFor, &StartGate::opened, this, &WebEngineAdapter::startPage);
    } else {
        startPage();
    }
}

// The engine gives a page its renderer process as soon as the page exists: a page made
// later costs nothing before.
void WebEngineAdapter::startPage()
{
    if (m_page)
        return;
    if (m_gate)
        disconnect(m_gate, nullptr, this, nullptr);
    m_gate = nullptr;
    m_page = new Page(m_profile, this);
    m_view = new QWebEngineView(this);
    m_view->setPage(m_page);
    m_view->setZoomFactor(zoomPercent() / 100.0);
    // The view's child that draws the page gets the wheel; it is made with the page.
    m_view->installEventFilter(this);
    for (QObject *child : m_view->children())
        child->installEventFilter(this);
    layout()->addWidget(m_view);
    speakItalian();
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            &WebEngineAdapter::view_customContextMenuRequested);

    QWebEngineScript completion;
    completion.setName(QString::fromLatin1(completionScriptName));
    completion.setSourceCode(completionScriptSource());
    completion.setWorldId(QWebEngineScript::ApplicationWorld);
    completion.setInjectionPoint(QWebEngineScript::DocumentReady);
    completion.setRunsOnSubFrames(true);
    m_page->scripts().insert(completion);

    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEngineAdapter::page_loadingChanged);
    // urlChanged is the moment the top-level navigation commits (the address the user now
    // sees), same-document moves included; loadingChanged's Started comes before the
    // commit and Succeeded only after the document has loaded.
    connect(m_page, &QWebEnginePage::urlChanged, this,
            [this](const QUrl &url) { emit NavigateComplete2(url.toString()); });
    connect(m_page, &QWebEnginePage::loadProgress, this,
            [this](int progress) { emit ProgressChange(progress, 100); });
    connect(m_page, &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { emit StatusTextChange(url); });
    connect(m_page, &QWebEnginePage::findTextFinished, this,
            [this](const QWebEngineFindTextResult &result) {
                emit FindResult(result.activeMatch(), result.numberOfMatches());
            });
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, [this] {
        m_closeRequested = true;
        emit WindowClosing();
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                page_renderProcessTerminated(static_cast<int>(status));
            });

    if (!m_waitingUrl.isEmpty()) {
        m_loading = true;
        m_page->load(std::exchange(m_waitingUrl, QUrl()));
    }
}

WebEngineAdapter::~WebEngineAdapter()
{
    // The page may answer pending script calls while it is destroyed; they must not reach
    // this half-destroyed adapter, and the page must go before the profile does.
    *m_alive = false;
    delete m_view;
    delete m_page;
}

// Debian ships no Italian translation of the engine's own texts, so the page's actions get
// theirs here; the context menu shows these actions.
void WebEngineAdapter::speakItalian()
{
    using A = QWebEnginePage::WebAction;
    static constexpr std::pair<A, const char *> texts[] = {
        {QWebEnginePage::Back, "Indietro"},
        {QWebEnginePage::Forward, "Avanti"},
        {QWebEnginePage::Stop, "Interrompi"},
        {QWebEnginePage::Reload, "Ricarica"},
        {QWebEnginePage::ReloadAndBypassCache, "Ricarica ignorando la cache"},
        {QWebEnginePage::Cut, "Taglia"},
        {QWebEnginePage::Copy, "Copia"},
        {QWebEnginePage::Paste, "Incolla"},
        {QWebEnginePage::PasteAndMatchStyle, "Incolla e mantieni lo stile"},
        {QWebEnginePage::Undo, "Annulla"},
        {QWebEnginePage::Redo, "Ripeti"},
        {QWebEnginePage::SelectAll, "Seleziona tutto"},
        {QWebEnginePage::Unselect, "Deseleziona"},
        {QWebEnginePage::OpenLinkInThisWindow, "Apri link"},
        {QWebEnginePage::OpenLinkInNewWindow, "Apri link in una nuova finestra"},
        {QWebEnginePage::CopyLinkToClipboard, "Copia indirizzo link"},
        {QWebEnginePage::DownloadLinkToDisk, "Salva link con nome..."},
        {QWebEnginePage::CopyImageToClipboard, "Copia immagine"},
        {QWebEnginePage::CopyImageUrlToClipboard, "Copia indirizzo immagine"},
        {QWebEnginePage::DownloadImageToDisk, "Salva immagine con nome..."},
        {QWebEnginePage::CopyMediaUrlToClipboard, "Copia indirizzo del file multimediale"},
        {QWebEnginePage::ToggleMediaControls, "Mostra i controlli"},
        {QWebEnginePage::ToggleMediaLoop, "Ripeti in loop"},
        {QWebEnginePage::ToggleMediaPlayPause, "Riproduci/Pausa"},
        {QWebEnginePage::ToggleMediaMute, "Audio sì/no"},
        {QWebEnginePage::DownloadMediaToDisk, "Salva file multimediale con nome..."},
        {QWebEnginePage::InspectElement, "Ispeziona"},
        {QWebEnginePage::ExitFullScreen, "Esci da schermo intero"},
        {QWebEnginePage::SavePage, "Salva pagina con nome..."},
        {QWebEnginePage::ViewSource, "Visualizza sorgente"},
    };
    for (const auto &[action, text] : texts)
        m_page->action(action)->setText(QString::fromUtf8(text));
}

// The engine's menu, less what this browser has not: tabs. "Visualizza sorgente" shows the
// program's own source window, and a new window asks first, as a page's request does.
void WebEngineAdapter::view_customContextMenuRequested(const QPoint &position)
{
    QMenu *menu = m_view->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("pageMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *action : menu->actions()) {
        if (action == m_page->action(QWebEnginePage::OpenLinkInNewTab) ||
            action == m_page->action(QWebEnginePage::OpenLinkInNewBackgroundTab)) {
            menu->removeAction(action);
        } else if (action == m_page->action(QWebEnginePage::ViewSource)) {
            auto *own = new QAction(action->text(), menu);
            connect(own, &QAction::triggered, this, &EngineView::ViewSourceRequested);
            menu->insertAction(action, own);
            menu->removeAction(action);
        }
    }
    menu->popup(m_view->mapToGlobal(position));
}

void WebEngineAdapter::followDownload(QWebEngineDownloadRequest *request)
{
    const auto report = [this, request] {
        Download d;
        d.id = request->id();
        d.fileName = request->downloadFileName().toStdString();
        d.folder = request->downloadDirectory().toStdString();
        d.received = request->receivedBytes();
        d.total = request->totalBytes();
        using R = QWebEngineDownloadRequest;
        switch (request->state()) {
        case R::DownloadRequested:
        case R::DownloadInProgress:
            d.state = Download::State::Running;
            break;
        case R::DownloadCompleted:
            d.state = Download::State::Done;
            break;
        case R::DownloadCancelled:
            d.state = Download::State::Cancelled;
            break;
        case R::DownloadInterrupted:
            d.state = Download::State::Failed;
            break;
        }
        switch (request->interruptReason()) {
        case R::NoReason:
            break;
        case R::FileAccessDenied:
            d.problem = Download::Problem::AccessDenied;
            break;
        case R::FileNoSpace:
            d.problem = Download::Problem::NoSpace;
            break;
        case R::FileFailed:
        case R::FileNameTooLong:
        case R::FileTooLarge:
        case R::FileVirusInfected:
        case R::FileTransientError:
        case R::FileBlocked:
        case R::FileSecurityCheckFailed:
        case R::FileTooShort:
        case R::FileHashMismatch:
            d.problem = Download::Problem::File;
            break;
        case R::NetworkFailed:
        case R::NetworkTimeout:
        case R::NetworkDisconnected:
        case R::NetworkServerDown:
        case R::NetworkInvalidRequest:
            d.problem = Download::Problem::Network;
            break;
        case R::ServerFailed:
        case R::ServerBadContent:
        case R::ServerUnauthorized:
        case R::ServerCertProblem:
        case R::ServerForbidden:
        case R::ServerUnreachable:
            d.problem = Download::Problem::Server;
            break;
        default:
            d.problem = Download::Problem::Other;
            break;
        }
        emit DownloadChange(d);
    };
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, report);
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this, report);
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, report);
    report();
}

void WebEngineAdapter::setZoomPercent(int percent)
{
    EngineView::setZoomPercent(percent);
    if (m_view)
        m_view->setZoomFactor(percent / 100.0);
}

void WebEngineAdapter::findText(const QString &text, FindDirection direction)
{
    if (m_page)
        m_page->findText(text, direction == FindDirection::Backward ? QWebEnginePage::FindBackward
                                                                    : QWebEnginePage::FindFlags());
}

// Ctrl with the wheel zooms through the window, which shows the level; a wheel that
// reports in small steps (a touchpad) zooms once per notch's worth.
bool WebEngineAdapter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded)
        static_cast<QChildEvent *>(event)->child()->installEventFilter(this);
    if (event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            m_wheelTurned += wheel->angleDelta().y();
            const int steps = m_wheelTurned / QWheelEvent::DefaultDeltasPerStep;
            m_wheelTurned %= QWheelEvent::DefaultDeltasPerStep;
            if (steps != 0)
                emit ZoomWheel(steps);
            return true;
        }
    }
    return EngineView::eventFilter(watched, event);
}

bool WebEngineAdapter::Navigate2(const std::string &text, int flags)
{
    if (text.empty())
        return false;
    const QString typed = QString::fromStdString(text);
    const QUrl url = addressFromText(typed);
    if (!url.isValid()) {
        reportInvalidAddress(typed);
        return true;
    }
    if (!m_page) {
        // The newest address wins, as a newer navigation replaces an older one.
        m_waitingUrl = url;
        if (!m_gate)
            startPage(); // an engine whose window closed before its page began
        return true;
    }
    ++m_requests;
    if (m_closeRequested)
        goOnInFreshPage();
    // A plain load adds a back/forward entry; location.replace on the loaded document swaps
    // the current one (Qt 6.4: also on error pages and across origins). The isolated world
    // keeps a page's own overrides of location out of it. Chromium forbids script to move a
    // page to a local file or a data address, so those load plainly, with a new entry. A
    // page without a renderer (crashed, or discarded with its closed window) runs no script:
    // it loads plainly too, which starts a new renderer.
    const bool hasRenderer =
        !m_crashed && m_page->lifecycleState() != QWebEnginePage::LifecycleState::Discarded;
    if ((flags & navNoHistory) != 0 && m_page->history()->count() > 0 && isWebAddress(url) &&
        hasRenderer) {
        replaceCurrentEntry(url);
        return true;
    }
    m_loading = true;
    m_page->load(url);
    return true;
}

// A renderer kept busy for good by its page's script (a loop that never returns, say once
// its dialogs are refused) never runs the script, and a plain load of the same site would
// wait for it as well. If the script has not answered after a while and nothing else was
// asked of the engine since, the engine goes on in a fresh page, with a renderer of its own.
void WebEngineAdapter::replaceCurrentEntry(const QUrl &url)
{
    const std::uint64_t request = m_requests;
    auto answered = std::make_shared<bool>(false);
    const QString literal = scriptStringLiteral(url.toString(QUrl::FullyEncoded));
    m_page->runJavaScript(QStringLiteral("location.replace(%1); true").arg(literal),
                          QWebEngineScript::ApplicationWorld,
                          [answered](const QVariant &) { *answered = true; });
    QTimer::singleShot(busyRendererWaitMs, this, [this, url, request, answered] {
        if (*answered || request != m_requests || !m_page)
            return;
        goOnInFreshPage();
        m_loading = true;
        m_page->load(url);
    });
}

bool WebEngineAdapter::GoBack()
{
    if (!m_page || !m_page->history()->canGoBack())
        return false;
    ++m_requests;
    m_page->history()->back();
    return true;
}

bool WebEngineAdapter::GoForward()
{
    if (!m_page || !m_page->history()->canGoForward())
        return false;
    ++m_requests;
    m_page->history()->forward();
    return true;
}

// Qt 6.4: a reload during a load cancels it, often before its request has left, so a
// burst of reloads (one per frame of a page) would reach the server only once.
bool WebEngineAdapter::Refresh2()
{
    // A page still to be made reloads nothing yet, but a waiting reload must still reach
    // the server once its first load has ended.
    const bool waiting = !m_page && !m_waitingUrl.isEmpty();
    if ((m_loading || waiting) && m_reloads == ReloadWhileLoading::Waits) {
        ++m_reloadsWaiting;
        return true;
    }
    if (!m_page) {
        if (m_waitingUrl.isEmpty())
            return false;
        if (!m_gate)
            startPage(); // its first load is the reload
        return true;
    }
    ++m_requests;
    if (m_closeRequested) {
        const QUrl current = m_page->url();
        goOnInFreshPage();
        m_loading = true;
        m_page->load(current);
        return true;
    }
    m_loading = true;
    m_page->triggerAction(QWebEnginePage::Reload);
    return true;
}

// A document that asked to close its window set its page closing for good in the engine,
// even though this window stays (the main window ignores such requests): the page refuses
// navigations by script and may not finish later loads. So the engine goes on in a fresh
// page. Little is lost: a page may close its window only while it is the window's first
// document or was opened by script, and a window opened by script closes. A page whose
// renderer stays busy goes the same way, losing its back and forward list.
void WebEngineAdapter::goOnInFreshPage()
{
    QWebEnginePage *closing = m_page;
    QWebEngineView *closingView = m_view;
    // This may run inside one of the old page's signals: it goes once they have returned,
    // and nothing it still says reaches this adapter.
    closing->disconnect(this);
    static_cast<Page *>(closing)->retire();
    closingView->hide();
    closingView->deleteLater();
    closing->deleteLater();
    m_page = nullptr;
    m_view = nullptr;
    // Completions still waiting for the old page's snapshot would never get one.
    m_completionsDone += m_completions.size();
    m_completions.clear();
    m_closeRequested = false;
    m_crashed = false;
    m_loading = false;
    m_reloadsWaiting = 0;
    m_dialogs.pageNavigated();
    m_newWindows.pageNavigated();
    startPage();
}

bool WebEngineAdapter::Stop()
{
    ++m_requests;
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Stop);
    return true;
}

// Qt 6.4 discards only a page out of sight: the window has hidden by the time this runs.
void WebEngineAdapter::windowClosed()
{
    ++m_requests;
    if (!m_page) {
        // Never begun: it begins if someone asks for it, not when the gate opens.
        if (m_gate)
            disconnect(m_gate, nullptr, this, nullptr);
        m_gate = nullptr;
        return;
    }
    m_page->triggerAction(QWebEnginePage::Stop);
    m_page->setAudioMuted(true);
    // The renderer goes, and with it any snapshot still to come.
    m_completionsDone += m_completions.size();
    m_completions.clear();
    m_reloadsWaiting = 0;
    m_loading = false;
    m_page->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
}

std::string WebEngineAdapter::LocationURL() const
{
    // Like a page whose navigation has not committed yet, one still waiting has no address.
    return m_page ? m_page->url().toString().toStdString() : std::string();
}

QString WebEngineAdapter::hostOf(const QUrl &origin)
{
    return origin.host().isEmpty() ? origin.toDisplayString() : origin.host();
}

QWebEnginePage *WebEngineAdapter::pageForNewWindow()
{
    const PageQuestions::Verdict verdict = m_newWindows.arrives(PageQuestions::Clock::now());
    if (verdict == PageQuestions::Verdict::Refuse)
        return nullptr;
    PageQuestion question;
    question.kind = PageQuestion::Kind::NewWindow;
    question.offerRefuseMore = verdict == PageQuestions::Verdict::AskOfferingToRefuseMore;
    bool refuseMore = false;
    // The question is modal: this engine may be gone when it is answered.
    const std::weak_ptr<bool> alive = m_alive;
    QPointer<WebEngineAdapter> adapter =
        qobject_cast<WebEngineAdapter *>(askForNewWindow(question, refuseMore));
    if (alive.expired())
        return nullptr;
    m_newWindows.answered(PageQuestions::Clock::now(),
                          refuseMore ? RefuseMore::Yes : RefuseMore::No);
    if (!adapter)
        return nullptr;
    adapter->startPage();
    return adapter->page();
}

bool WebEngineAdapter::askDialog(PageQuestion::Kind kind, const QUrl &origin, const QString &text,
                                 const QString &defaultText, QString *result)
{
    const PageQuestions::Verdict verdict = m_dialogs.arrives(PageQuestions::Clock::now());
    if (verdict == PageQuestions::Verdict::Refuse)
        return false;
    const PageQuestion question{kind, hostOf(origin), text, defaultText,
                                verdict == PageQuestions::Verdict::AskOfferingToRefuseMore};
    const std::weak_ptr<bool> alive = m_alive;
    const PageQuestionAnswer answer = EngineView::askDialog(question);
    if (alive.expired())
        return false;
    m_dialogs.answered(PageQuestions::Clock::now(),
                       answer.refuseMore ? RefuseMore::Yes : RefuseMore::No);
    if (result)
        *result = answer.text;
    return answer.accepted;
}

void WebEngineAdapter::documentCompleted(const QString &url)
{
    // The engine's own error page (Qt 6.4: completes before the load reports its failure)
    // is no document of the address; NavigateError stands for it.
    if (url.startsWith(QStringLiteral("chrome-error:")))
        return;
    // Nobody listens (the tools and counter engines): no need to copy the body across.
    static const QMetaMethod completeSignal =
        QMetaMethod::fromSignal(&EngineView::DocumentComplete);
    if (!isSignalConnected(completeSignal))
        return;
    const std::uint64_t id = m_completionsDone + m_completions.size();
    m_completions.push_back({url, std::nullopt});
    // Always the top document: the handlers look at the page the user sees, whichever frame
    // has just finished.
    std::weak_ptr<bool> alive = m_alive;
    m_page->runJavaScript(QString::fromLatin1(snapshotScript), QWebEngineScript::ApplicationWorld,
                          [this, alive, id](const QVariant &v) {
                              auto token = alive.lock();
                              if (!token || !*token)
                                  return;
                              const QVariantMap map = v.toMap();
                              DocumentSnapshot snapshot;
                              snapshot.hasBody = map.value(QStringLiteral("hasBody")).toBool();
                              snapshot.bodyHtml =
                                  map.value(QStringLiteral("body")).toString().toStdString();
                              snapshot.title =
                                  map.value(QStringLiteral("title")).toString().toStdString();
                              snapshotRead(id, std::move(snapshot));
                          });
}

void WebEngineAdapter::snapshotRead(std::uint64_t id, DocumentSnapshot snapshot)
{
    if (id < m_completionsDone || id - m_completionsDone >= m_completions.size())
        return;
    // Answers come in the order asked. An earlier one still missing was dropped with its
    // document (a navigation got in between); its completion goes out with this snapshot
    // rather than holding up every later one.
    for (std::uint64_t i = 0; i < id - m_completionsDone; ++i)
        if (!m_completions[i].snapshot)
            m_completions[i].snapshot = snapshot;
    m_completions[id - m_completionsDone].snapshot = std::move(snapshot);
    // A handler may delete this engine (a window that closes itself).
    const std::weak_ptr<bool> alive = m_alive;
    while (!alive.expired() && !m_completions.empty() && m_completions.front().snapshot) {
        Completion done = std::move(m_completions.front());
        m_completions.pop_front();
        ++m_completionsDone;
        emit DocumentComplete(done.url, *done.snapshot);
    }
}

// What Qt 6.4 reports at the end of a top-level load (status, domain, code):
//   unknown host              Failed,    ConnectionErrorDomain, -105 (on an error page)
//   HTTP 404 / 500 answer     Failed,    HttpStatusCodeDomain,  404 / 500 (server's page)
//   forbidden port            Failed,    HttpErrorDomain,       -312: net errors, not statuses
//   a load that became a      Stopped,   InternalErrorDomain,   -3, and only then the
//     download                                                   profile's download request
//   a load the user stopped   Stopped,   InternalErrorDomain,   -3
//   a page that loads         Succeeded, HttpStatusCodeDomain,  200
// So only HttpStatusCodeDomain carries an HTTP status. Only the top document's loads come
// here: a frame that fails raises no NavigateError, so a failing advertisement frame does
// not throw the user off the page.
void WebEngineAdapter::page_loadingChanged(const QWebEngineLoadingInfo &info)
{
    m_loading = info.status() == QWebEngineLoadingInfo::LoadStartedStatus;
    if (m_loading) {
        // A new document: whatever the last one was refused, this one may ask again.
        m_dialogs.pageNavigated();
        m_newWindows.pageNavigated();
    }
    reportFailure(info);
    // The engine may keep a zoom per site; the window's zoom holds for every page.
    if (!qFuzzyCompare(m_page->zoomFactor(), zoomPercent() / 100.0))
        m_page->setZoomFactor(zoomPercent() / 100.0);
    if (!m_loading && m_reloadsWaiting > 0) {
        --m_reloadsWaiting;
        m_loading = true;
        m_page->triggerAction(QWebEnginePage::Reload);
    }
}

void WebEngineAdapter::reportFailure(const QWebEngineLoadingInfo &info)
{
    const auto status = info.status();
    if (status == QWebEngineLoadingInfo::LoadStartedStatus && std::exchange(m_crashed, false))
        emit StatusTextChange(QString());
    // A stopped load was given up on purpose: by the user (Esc), by a newer navigation, or
    // by the engine handing the address to the downloads. None of them is a failure, and
    // none may turn into a search, whatever the address ends with.
    if (status != QWebEngineLoadingInfo::LoadFailedStatus)
        return;
    int code = info.errorCode();
    if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
        emit NavigateError(info.url().toString(), code);
        return;
    }
    if (code == 0)
        code = genericFailure;
    emit NavigateError(info.url().toString(), code < 0 ? code : -code);
}

// The view stays, blank, and the page keeps its address and history: a Refresh2 starts a
// new renderer and loads the page again. Completions still waiting for a snapshot from the
// dead renderer would never get one, so they go.
void WebEngineAdapter::page_renderProcessTerminated(int status)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    m_completionsDone += m_completions.size();
    m_completions.clear();
    m_crashed = true;
    emit StatusTextChange(
        QString::fromUtf8(PageCrashedText.data(), static_cast<qsizetype>(PageCrashedText.size())));
}

void WebEngineAdapter::reportInvalidAddress(const QString &text)
{
    // Asynchronous like every other failure, so callers see the same order of events.
    QMetaObject::invokeMethod(
        this, [this, text] { emit NavigateError(text, invalidUrlError); }, Qt::QueuedConnection);
}

} // namespace torvi
