// Torvi: the one browser profile every engine instance shares, and its downloads.
#include "nav/qt/browser_profile.h"

#include "nav/qt/own_scheme.h"
#include "nav/qt/web_engine_adapter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace torvi {

BrowserProfile &BrowserProfile::instance()
{
    // Parented to the application: deleted with it, after the windows and their pages.
    static QPointer<BrowserProfile> profile;
    if (!profile)
        profile = new BrowserProfile;
    return *profile;
}

BrowserProfile::BrowserProfile() : QObject(qApp)
{
    m_profile = new QWebEngineProfile(QStringLiteral("torvi"), this);
    // Beside the mapped drive in the user's data folder, whatever the executable is called.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    m_profile->setPersistentStoragePath(data + QStringLiteral("/torvi/profile"));
    m_profile->setCachePath(cache + QStringLiteral("/torvi/profile"));
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    // Sites answer in Italian, as the rest of the program speaks.
    m_profile->setHttpAcceptLanguage(QStringLiteral("it-IT,it;q=0.9"));
    // Until the program serves its pages, every address of its scheme is "not found".
    m_ownScheme = new OwnSchemeHandler(this);
    m_profile->installUrlSchemeHandler(ownSchemeName(), m_ownScheme);
    connect(m_profile, &QWebEngineProfile::downloadRequested, this,
            &BrowserProfile::profile_downloadRequested);
}

void BrowserProfile::serveOwnPages(OwnPages pages)
{
    m_ownScheme->setPages(std::move(pages));
}

// Qt 6.4 deletes a request that is still unanswered when this signal returns (tried: an
// accept() from a non-modal dialog's answer comes too late), so the question is modal, as
// in Qt's own browser example. Once accepted, the engine saves in the background.
void BrowserProfile::profile_downloadRequested(QWebEngineDownloadRequest *download)
{
    QWidget *window = nullptr;
    if (auto *view = QWebEngineView::forPage(download->page()))
        window = view->window();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    // A dialog pointed at a missing folder falls back to the working directory; a new
    // user's download folder may not exist yet.
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = download->downloadDirectory();

    // The window may close while the dialog is up; the guards notice.
    QPointer<QFileDialog> dialog = new QFileDialog(window, QString(), folder);
    QPointer<QWebEngineDownloadRequest> request = download;
    dialog->setObjectName(QStringLiteral("downloadDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->selectFile(download->downloadFileName());
    const bool chosen =
        dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
    const QFileInfo target(chosen ? dialog->selectedFiles().constFirst() : QString());
    delete dialog;
    if (!request)
        return;
    if (!chosen) {
        request->cancel();
        return;
    }
    request->setDownloadDirectory(target.absolutePath());
    request->setDownloadFileName(target.fileName());
    request->accept();
    if (auto *view = QWebEngineView::forPage(request->page()))
        if (auto *adapter = qobject_cast<WebEngineAdapter *>(view->parentWidget()))
            adapter->followDownload(request);
}

namespace {

// A window's gate opens when its page engine's first load ends; a first page that takes
// long keeps the others waiting no more than this.
constexpr int longestWaitForFirstPageMs = 3000;

StartGate *firstPageGate(QWidget *window)
{
    auto *gate = window->findChild<StartGate *>(QString(), Qt::FindDirectChildrenOnly);
    return gate ? gate : new StartGate(longestWaitForFirstPageMs, window);
}

} // namespace

EngineFactory makeWebEngineFactory()
{
    // The counter page counts its requests: each reload of it must reach the server. The
    // tools and counter engines start once their window's first page has loaded: their
    // renderers would otherwise start and load beside the page's, which the user waits for.
    return [](QWidget *parent, EngineRole role) -> EngineView * {
        const bool waits = parent && (role == EngineRole::Tools || role == EngineRole::Counter);
        auto *adapter = new WebEngineAdapter(BrowserProfile::instance().profile(), parent,
                                             role == EngineRole::Counter
                                                 ? WebEngineAdapter::ReloadWhileLoading::Waits
                                                 : WebEngineAdapter::ReloadWhileLoading::Restarts,
                                             waits ? firstPageGate(parent) : nullptr);
        if (parent && role == EngineRole::Page)
            QObject::connect(adapter->page(), &QWebEnginePage::loadFinished, firstPageGate(parent),
                             &StartGate::open);
        return adapter;
    };
}

} // namespace torvi
