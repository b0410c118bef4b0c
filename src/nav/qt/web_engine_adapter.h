// Torvi: the real engine instance, Qt WebEngine behind the engine members and events.
#pragma once

#include "nav/page_questions.h"
#include "ui/qt/engine_view.h"

#include <QPointer>
#include <QString>
#include <QUrl>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace torvi {

// Opens once: when the program's first page has finished loading, or after a while if it
// takes long. Engines made to wait for it start their pages then.
class StartGate : public QObject
{
    Q_OBJECT

public:
    explicit StartGate(int longestWaitMs, QObject *parent = nullptr);
    bool isOpen() const { return m_open; }
    void open();

signals:
    void opened();

private:
    bool m_open = false;
};

// One page in one view, on a profile that outlives it (normally BrowserProfile's). Turns
// every engine signal into exactly one EngineView event; made by makeWebEngineFactory().
class WebEngineAdapter : public EngineView
{
    Q_OBJECT

public:
    // What Refresh2 does while a load is under way: restart it, as a user's reload does,
    // or wait for its end, so that every reload reaches the server (the counter page).
    enum class ReloadWhileLoading
    {
        Restarts,
        Waits
    };

    // When the page comes to life: at once, or once the program's first page has loaded
    // (the gate opens), so that an engine the user does not look at yet leaves the first
    // page the machine. Until then it keeps the last address asked for and loads it then.
    explicit WebEngineAdapter(QWebEngineProfile *profile, QWidget *parent = nullptr,
                              ReloadWhileLoading reloads = ReloadWhileLoading::Restarts,
                              StartGate *waitFor = nullptr);
    ~WebEngineAdapter() override;

    bool Navigate2(const std::string &url, int flags) override;
    bool GoBack() override;
    bool GoForward() override;
    bool Refresh2() override;
    bool Stop() override;
    std::string LocationURL() const override;
    void windowClosed() override;
    void setZoomPercent(int percent) override;
    void findText(const QString &text, FindDirection direction) override;

    // Reports the accepted download of this engine's page as it goes, to its window.
    void followDownload(QWebEngineDownloadRequest *request);

    // Made at once for an engine that does not wait for a gate, else when the gate opens.
    QWebEnginePage *page() const { return m_page; }

    // The console-message prefix of the completion script; only the script's own source
    // id makes such a message count.
    static constexpr const char *completionMarker = "torvi:document-complete ";
    static constexpr const char *completionScriptName = "torvi-document-complete";

    // Dialogs this soon after the previous one was answered are a page asking again and
    // again, and offer to refuse the rest.
    static constexpr auto repeatedDialogWithin = std::chrono::seconds(3);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Page;
    struct Completion
    {
        QString url;
        std::optional<DocumentSnapshot> snapshot;
    };

    void startPage();
    void speakItalian();
    void view_customContextMenuRequested(const QPoint &position);
    void goOnInFreshPage();
    void replaceCurrentEntry(const QUrl &url);
    QWebEnginePage *pageForNewWindow();
    bool askDialog(PageQuestion::Kind kind, const QUrl &origin, const QString &text,
                   const QString &defaultText, QString *result);
    static QString hostOf(const QUrl &origin);
    void documentCompleted(const QString &url);
    void snapshotRead(std::uint64_t id, DocumentSnapshot snapshot);
    void page_loadingChanged(const QWebEngineLoadingInfo &info);
    void reportFailure(const QWebEngineLoadingInfo &info);
    void page_renderProcessTerminated(int status);
    void reportInvalidAddress(const QString &text);

    ReloadWhileLoading m_reloads;
    QWebEngineProfile *m_profile;
    bool m_loading = false;
    bool m_closeRequested = false; // a document of this page asked to close its window
    int m_reloadsWaiting = 0;
    QUrl m_waitingUrl;          // asked for before the page exists
    QPointer<StartGate> m_gate; // the page begins when it opens
    // Counts what is asked of the engine, so a late fallback knows nothing newer came.
    std::uint64_t m_requests = 0;
    PageQuestions m_dialogs{repeatedDialogWithin};
    PageQuestions m_newWindows;
    QWebEngineView *m_view = nullptr;
    QWebEnginePage *m_page = nullptr;
    // Completions wait here for their snapshot, so the events leave in arrival order.
    std::deque<Completion> m_completions;
    std::uint64_t m_completionsDone = 0;
    // The page has lost its renderer; the status text says so until the next load starts.
    bool m_crashed = false;
    int m_wheelTurned = 0; // with Ctrl, short of a whole zoom step
    // Cleared on destruction: script callbacks may still arrive while the page goes away.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace torvi
