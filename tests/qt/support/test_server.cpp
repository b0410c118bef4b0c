// Torvi tests: a local web server the real engine is pointed at.
#include "support/test_server.h"

#include <QFile>
#include <QSocketNotifier>
#include <QSslKey>
#include <QSslSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace torvi::test {

namespace {

QByteArray supportFile(const char *name)
{
    QFile file(QStringLiteral(TORVI_TEST_SUPPORT_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

bool TestServer::start()
{
    if (!QSslSocket::supportsSsl() || !listen(QHostAddress::LocalHost, 0))
        return false;
    const QByteArray here = "127.0.0.1:" + QByteArray::number(serverPort());
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--host-resolver-rules=\"MAP *.torvi.example " + here +
                                              ", MAP www.google.it " + here +
                                              ", MAP * ~NOTFOUND, EXCLUDE 127.0.0.1\""
                                              " --ignore-certificate-errors");
    return true;
}

int TestServer::count(const QByteArray &prefix) const
{
    return int(std::count_if(requests.begin(), requests.end(),
                             [&](const Request &r) { return r.path.startsWith(prefix); }));
}

// The first byte is peeked at on the bare descriptor: a TLS handshake must reach QSslSocket
// untouched.
void TestServer::incomingConnection(qintptr descriptor)
{
    auto *notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, descriptor] {
        notifier->setEnabled(false);
        notifier->deleteLater();
        char first = 0;
        auto *socket = new QSslSocket(this);
        // A speculative connection may close unused.
        if (::recv(int(descriptor), &first, 1, MSG_PEEK) <= 0 ||
            !socket->setSocketDescriptor(descriptor)) {
            ::close(int(descriptor));
            socket->deleteLater();
            return;
        }
        const bool tls = first == 0x16; // a handshake record
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QSslSocket::readyRead, this, [=, this] { answer(socket, tls); });
        if (tls) {
            socket->setLocalCertificate(QSslCertificate(supportFile("test_server.crt")));
            socket->setPrivateKey(QSslKey(supportFile("test_server.key"), QSsl::Rsa));
            socket->startServerEncryption();
        } else if (socket->bytesAvailable() > 0) {
            answer(socket, tls);
        }
    });
}

void TestServer::answer(QSslSocket *socket, bool tls)
{
    const QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    const auto end = head.indexOf("\r\n\r\n");
    if (end < 0 || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);

    const QList<QByteArray> lines = head.left(end).split('\n');
    Request request{{}, lines[0].split(' ').value(1), {}, tls};
    for (const QByteArray &line : lines.mid(1)) {
        const auto colon = line.indexOf(':');
        const QByteArray name = line.left(colon).toLower(), value = line.mid(colon + 1).trimmed();
        if (name == "host")
            request.host = value;
        else if (name == "cookie")
            request.cookie = value;
    }
    requests.append(request);

    const Page notFound{"<html><body>Non trovato</body></html>", Answer::Now, 404};
    const Page page =
        m_pages.value(request.path, m_pages.value(request.path.split('?')[0], notFound));
    if (page.answer == Answer::Dropped) {
        socket->abort();
        return;
    }
    const QByteArray reply = "HTTP/1.1 " + QByteArray::number(page.status) +
                             " Torvi\r\nContent-Type: " + page.contentType +
                             "\r\nContent-Length: " + QByteArray::number(page.body.size()) +
                             "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + page.body;
    if (page.answer == Answer::Held) {
        m_held.append({socket, reply});
        return;
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
