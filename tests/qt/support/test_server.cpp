// Torvi tests: a local web server the real engine is pointed at.
#include "support/test_server.h"

#include <QSocketNotifier>
#include <QSslSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace torvi::test {

bool TestServer::start()
{
    if (!QSslSocket::supportsSsl() || !listen(QHostAddress::LocalHost, 0))
        return false;
    const QByteArray here = "127.0.0.1:" + QByteArray::number(serverPort());
    const QByteArray rules = "MAP *.torvi.example " + here + ", MAP www.google.it " + here;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--ignore-certificate-errors --host-resolver-rules=\"" +
                                              rules + ", MAP * ~NOTFOUND, EXCLUDE 127.0.0.1\"");
    return true;
}

int TestServer::count(const QByteArray &prefix) const
{
    return int(std::count_if(requests.begin(), requests.end(), [&](const QByteArray &head) {
        return head.startsWith("GET " + prefix);
    }));
}

// The first byte is peeked at on the bare descriptor: a TLS handshake must reach QSslSocket
// untouched. A speculative connection may close unused.
void TestServer::incomingConnection(qintptr descriptor)
{
    auto *notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, descriptor] {
        notifier->setEnabled(false);
        notifier->deleteLater();
        char first = 0;
        auto *socket = new QSslSocket(this);
        if (::recv(int(descriptor), &first, 1, MSG_PEEK) <= 0 ||
            !socket->setSocketDescriptor(descriptor)) {
            ::close(int(descriptor));
            return socket->deleteLater();
        }
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QSslSocket::readyRead, this, [this, socket] { answer(socket); });
        if (first != 0x16) // not a TLS handshake record
            return answer(socket);
        socket->setLocalCertificate(QStringLiteral(TORVI_TEST_SUPPORT_DIR "/test_server.crt"));
        socket->setPrivateKey(QStringLiteral(TORVI_TEST_SUPPORT_DIR "/test_server.key"));
        socket->startServerEncryption();
    });
}

void TestServer::answer(QSslSocket *socket)
{
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    requests.append(head);
    const QByteArray path = head.split(' ').value(1);
    const Page page = m_pages.value(
        path, m_pages.value(path.split('?')[0], {"<p>Non trovato</p>", {}, "text/html", 404}));
    const QByteArray reply = "HTTP/1.1 " + QByteArray::number(page.status) +
                             " Torvi\r\nContent-Type: " + page.contentType +
                             "\r\nContent-Length: " + QByteArray::number(page.body.size()) +
                             "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + page.body;
    if (page.held) {
        const qsizetype now = reply.size() - page.body.size() + page.sentBeforeHeld;
        socket->write(reply.left(now));
        return m_held.append({socket, reply.mid(now)});
    }
    socket->write(reply);
    socket->disconnectFromHost();
}

void TestServer::releaseHeld()
{
    for (const auto &[socket, reply] : std::exchange(m_held, {}))
        if (socket) {
            socket->write(reply);
            socket->disconnectFromHost();
        }
}

} // namespace torvi::test
