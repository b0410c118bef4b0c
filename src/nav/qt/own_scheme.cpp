// Torvi: Torvi's own scheme in the engine.
#include "nav/qt/own_scheme.h"

#include <QBuffer>
#include <QUrl>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace torvi {

QByteArray ownSchemeName()
{
    return QByteArray(OwnScheme.data(), static_cast<qsizetype>(OwnScheme.size()));
}

void registerOwnScheme()
{
    if (QWebEngineUrlScheme::schemeByName(ownSchemeName()).name() == ownSchemeName())
        return;
    QWebEngineUrlScheme scheme(ownSchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Secure: its pages count as a secure context. Not local: Qt 6.4 refuses every network
    // address to a local scheme's pages (-138), their links to the user's favorites
    // included; the handler keeps the web out instead. No CORS: no other origin may fetch.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

OwnSchemeHandler::OwnSchemeHandler(QObject *parent) : QWebEngineUrlSchemeHandler(parent) {}

void OwnSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    // The program's own loads (and the user's, from the address box or the history) come with
    // no initiator; anything a document asks for must come from one of the scheme's pages. So
    // a page of the web can neither open, frame nor fetch one: the start page lists the
    // user's favorites and visits.
    const QUrl initiator = job->initiator();
    if ((!initiator.isEmpty() && initiator.scheme() != QLatin1String(ownSchemeName())) ||
        job->requestMethod() != QByteArrayLiteral("GET")) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QUrl url = job->requestUrl();
    const std::optional<OwnAnswer> answer =
        m_pages ? m_pages(OwnRequest{url.host().toStdString(), url.path().toStdString(),
                                     url.query(QUrl::FullyEncoded).toStdString()})
                : std::nullopt;
    if (!answer) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    if (!answer->redirectTo.empty()) {
        job->redirect(QUrl(QString::fromStdString(answer->redirectTo)));
        return;
    }
    // The job owns the buffer: the engine reads it after this returns.
    auto *body = new QBuffer(job);
    body->setData(QByteArray::fromStdString(answer->body));
    job->reply(QByteArray::fromStdString(answer->mimeType), body);
}

} // namespace torvi
