// Torvi tests: a local web server the real engine is pointed at.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <utility>

class QSslSocket;

namespace torvi::test {

// HTTP/1.1 on 127.0.0.1, one ephemeral port for both https (throw-away certificate) and
// plain http: the first byte of a connection tells a TLS handshake from a request. Serves
// the pages a test registers (anything else is a 404) and records every request, so a test
// can ask whether a page was fetched. Every answer closes its connection.
class TestServer : public QTcpServer
{
    Q_OBJECT

public:
    struct Page
    {
        int status = 200;
        QByteArray contentType = "text/html; charset=utf-8";
        QByteArray body;
        bool held = false; // answered only by releaseHeldAnswers(): a page still loading
    };
    struct Request
    {
        QByteArray method;
        QByteArray host;   // the Host header, port included if the client sent one
        QByteArray path;   // path and query as sent
        QByteArray cookie; // the Cookie header, empty when none was sent
        bool tls = false;
        QDateTime time;
    };

    TestServer();
    ~TestServer() override;

    // Listens on 127.0.0.1 at a free port; false when no port or no TLS is available.
    bool start();

    // For any host. "/x?y" is served at that query only; "/x" at every query with no page of
    // its own.
    void setPage(const QByteArray &path, Page page);
    void setPage(const QByteArray &path, const QByteArray &html)
    {
        setPage(path, Page{200, "text/html; charset=utf-8", html});
    }

    const QList<Request> &requests() const { return m_requests; }
    int requestCount(const QByteArray &path) const;
    // Requests whose path and query begin with the prefix.
    int requestCountStartingWith(const QByteArray &prefix) const;
    void clearRequests() { m_requests.clear(); }
    void releaseHeldAnswers();

signals:
    void requestReceived(const torvi::test::TestServer::Request &request);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void startConnection(qintptr descriptor, bool tls);
    void answer(QSslSocket *socket, bool tls);

    QHash<QByteArray, Page> m_pages;
    QList<Request> m_requests;
    QByteArray m_certificate;
    QByteArray m_key;
    QList<std::pair<QPointer<QSslSocket>, QByteArray>> m_held;
};

enum class SearchHost
{
    Served,
    Unreachable
};

// Points the engine's host names at the server, before the first engine object exists (the
// engine reads QTWEBENGINE_CHROMIUM_FLAGS once, when it starts, and passes them on to a
// program started from the test): every *.torvi.example and, unless it is to be unreachable,
// www.google.it go to 127.0.0.1:port, any other name fails its lookup (-105) at once, and
// the throw-away certificate is accepted.
void mapTestHostsTo(quint16 port, SearchHost searchHost = SearchHost::Served);

} // namespace torvi::test
