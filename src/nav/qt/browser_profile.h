// Torvi: the one browser profile every engine instance shares, and its downloads.
#pragma once

#include "nav/own_pages.h"
#include "ui/qt/engine_view.h"

#include <QObject>

class QWebEngineDownloadRequest;
class QWebEngineProfile;

namespace torvi {

class OwnSchemeHandler;

// Owns the persistent profile "torvi" (cookies and logins under the user's data folder,
// kept across restarts) and answers its download requests with a save dialog. Made on
// first use and parented to the application, so it outlives every window's page.
class BrowserProfile : public QObject
{
    Q_OBJECT

public:
    static BrowserProfile &instance();
    QWebEngineProfile *profile() const { return m_profile; }

    // Serves Torvi's own scheme from these pages from now on, in place of any earlier ones.
    // The program's services call it once at start-up.
    void serveOwnPages(OwnPages pages);

private:
    BrowserProfile();
    void profile_downloadRequested(QWebEngineDownloadRequest *download);

    QWebEngineProfile *m_profile;
    OwnSchemeHandler *m_ownScheme;
};

// The program's engine factory: WebEngine adapters on the shared profile.
EngineFactory makeWebEngineFactory();

} // namespace torvi
