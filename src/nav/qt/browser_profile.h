// Torvi: the one browser profile every engine instance shares, and its downloads.
#pragma once

#include "ui/qt/engine_view.h"

#include <QObject>

class QWebEngineDownloadRequest;
class QWebEngineProfile;

namespace torvi {

// Owns the persistent profile "torvi" (cookies and logins under the user's data folder,
// kept across restarts) and answers its download requests with a save dialog. Made on
// first use and parented to the application, so it outlives every window's page.
class BrowserProfile : public QObject
{
    Q_OBJECT

public:
    static BrowserProfile &instance();
    QWebEngineProfile *profile() const { return m_profile; }

private:
    BrowserProfile();
    void profile_downloadRequested(QWebEngineDownloadRequest *download);

    QWebEngineProfile *m_profile;
};

// The program's engine factory: WebEngine adapters on the shared profile.
EngineFactory makeWebEngineFactory();

} // namespace torvi
