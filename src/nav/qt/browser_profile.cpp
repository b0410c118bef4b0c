// Torvi: the one browser profile every engine instance shares, and its downloads.
#include "nav/qt/browser_profile.h"

#include "nav/qt/web_engine_adapter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
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
    connect(m_profile, &QWebEngineProfile::downloadRequested, this,
            &BrowserProfile::profile_downloadRequested);
}

// The dialog is shown without blocking: Qt 6 lets a download be accepted or cancelled after
// the request signal, and the engine then saves in the background.
void BrowserProfile::profile_downloadRequested(QWebEngineDownloadRequest *download)
{
    QWidget *window = nullptr;
    if (auto *view = QWebEngineView::forPage(download->page()))
        window = view->window();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty())
        folder = download->downloadDirectory();

    auto *dialog =
        new QFileDialog(window, QString(), QDir(folder).filePath(download->downloadFileName()));
    dialog->setObjectName(QStringLiteral("downloadDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QWebEngineDownloadRequest> request = download;
    connect(dialog, &QFileDialog::fileSelected, download, [request](const QString &path) {
        if (!request)
            return;
        const QFileInfo target(path);
        request->setDownloadDirectory(target.absolutePath());
        request->setDownloadFileName(target.fileName());
        request->accept();
    });
    connect(dialog, &QFileDialog::rejected, download, [request] {
        if (request)
            request->cancel();
    });
    dialog->open();
}

EngineFactory makeWebEngineFactory()
{
    return [](QWidget *parent, EngineRole) -> EngineView * {
        return new WebEngineAdapter(BrowserProfile::instance().profile(), parent);
    };
}

} // namespace torvi
