// Torvi: Torvi's own scheme in the engine.
#include "nav/qt/own_scheme.h"

#include <QBuffer>
#include <QUrl>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace torvi {

namespace {

QByteArray ownSchemeName()
{
    return QByteArray(OwnScheme.data(), static_cast<qsizetype>(OwnScheme.size()));
}

} // namespace

void registerOwnScheme()
{
    if (QWebEngineUrlScheme::schemeByName(ownSchemeName()).name() == ownSchemeName())
        return;
    QWebEngineUrlScheme scheme(ownSchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Local: a page of the web cannot load, frame or open it (as with file addresses), nor
    // fetch from it, as it is no CORS scheme. Local access allowed: its own pages may show
    // its own pictures and link to each other. Secure: they count as a secure context.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

OwnSchemeHandler::OwnSchemeHandler(QObject *parent) : QWebEngineUrlSchemeHandler(parent) {}

void OwnSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    // The program's own loads come with no initiator; anything asked by a document must come
    // from one of the scheme's pages. The engine already keeps web pages out; this holds even
    // if a later engine should let one through.
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
