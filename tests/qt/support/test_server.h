// Torvi tests: a local web server the real engine is pointed at.
#pragma once

#include <QHash>
#include <QPointer>
#include <QTcpServer>

class QSslSocket;

namespace torvi::test {

// HTTP/1.1 on 127.0.0.1, one free port for both https (a throw-away certificate) and plain
// http: the first byte of a connection tells a TLS handshake from a request. Serves the pages
// a test sets, anything else as a 404, records every request and closes each connection.
class TestServer : public QTcpServer
{
public:
    struct Page
    {
        QByteArray body;
        bool held = false; // answered only by releaseHeld(): a page still loading
        QByteArray contentType = "text/html; charset=utf-8";
        int status = 200;
        qsizetype sentBeforeHeld = 0; // of a held page's body: a download half come
    };

    // Listens, then points the engine's host names here (before the first engine starts;
    // programs started from the test inherit it): every *.torvi.example and the search
    // engine's host. Any other name fails its lookup, so no test leaves loopback.
    bool start();
    // "/x?y" is served at that query only, "/x" at every query without a page of its own.
    void setPage(const QByteArray &path, const Page &page) { m_pages.insert(path, page); }
    // The requests whose path and query start with the prefix.
    int count(const QByteArray &prefix) const;
    void releaseHeld();

    QList<QByteArray> requests; // each one's head: "GET /path?query HTTP/1.1", the headers

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void answer(QSslSocket *socket);

    QHash<QByteArray, Page> m_pages;
    QList<std::pair<QPointer<QSslSocket>, QByteArray>> m_held;
};

} // namespace torvi::test
