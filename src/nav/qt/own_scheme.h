// Torvi: Torvi's own scheme in the engine: its registration, which must come before the
// engine starts, and the handler that answers its requests from an OwnPages.
#pragma once

#include "nav/own_pages.h"

#include <QWebEngineUrlSchemeHandler>

namespace torvi {

// The scheme's name as the engine's calls take it.
QByteArray ownSchemeName();

// Registers the scheme as a secure one. Call before the engine starts, best before the
// QApplication is made (main() does so); a second call does nothing.
void registerOwnScheme();

// Answers each request of the scheme with its page, a redirect or "not found". Only the
// program's own navigations and the scheme's own pages get an answer: pages of the web can
// neither open, frame nor fetch Torvi's own.
class OwnSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    explicit OwnSchemeHandler(QObject *parent);
    void setPages(OwnPages pages) { m_pages = std::move(pages); }
    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    OwnPages m_pages;
};

} // namespace torvi
