// Torvi tests: a local web server the real engine is pointed at.
#include "support/test_server.h"

#include <QFile>
#include <QSocketNotifier>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace torvi::test {

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

constexpr char tlsHandshakeRecord = 0x16;

} // namespace

TestServer::TestServer()
    : m_certificate(readFile(QStringLiteral(TORVI_TEST_SUPPORT_DIR "/test_server.crt"))),
      m_key(readFile(QStringLiteral(TORVI_TEST_SUPPORT_DIR "/test_server.key")))
{}

TestServer::~TestServer() = default;

bool TestServer::start()
{
    if (m_certificate.isEmpty() || m_key.isEmpty() || !QSslSocket::supportsSsl())
        return false;
    return listen(QHostAddress::LocalHost, 0);
}

void TestServer::setPage(const QByteArray &path, Page page)
{
    m_pages.insert(path, std::move(page));
}

int TestServer::requestCount(const QByteArray &path) const
{
    return static_cast<int>(std::count_if(m_requests.begin(), m_requests.end(),
                                          [&](const Request &r) { return r.path == path; }));
}

int TestServer::requestCountStartingWith(const QByteArray &prefix) const
{
    return static_cast<int>(
        std::count_if(m_requests.begin(), m_requests.end(),
                      [&](const Request &r) { return r.path.startsWith(prefix); }));
}

// Peek at the first byte on the bare descriptor before any socket object reads it: a TLS
// handshake must reach QSslSocket untouched.
void TestServer::incomingConnection(qintptr descriptor)
{
    auto *notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, descriptor] {
        notifier->setEnabled(false);
        notifier->deleteLater();
        char first = 0;
        const auto peeked = ::recv(static_cast<int>(descriptor), &first, 1, MSG_PEEK);
        if (peeked <= 0) {
            ::close(static_cast<int>(descriptor)); // a speculative connection, closed unused
            return;
        }
        startConnection(descriptor, first == tlsHandshakeRecord);
    });
}

void TestServer::startConnection(qintptr descriptor, bool tls)
{
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        ::close(static_cast<int>(descriptor));
        socket->deleteLater();
        return;
    }
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QSslSocket::readyRead, this, [this, socket, tls] { answer(socket, tls); });
    if (tls) {
        socket->setLocalCertificate(QSslCertificate(m_certificate, QSsl::Pem));
        socket->setPrivateKey(QSslKey(m_key, QSsl::Rsa, QSsl::Pem));
        socket->setPeerVerifyMode(QSslSocket::VerifyNone);
        connect(socket, &QSslSocket::sslErrors, socket, [socket] { socket->ignoreSslErrors(); });
        socket->startServerEncryption();
    } else if (socket->bytesAvailable() > 0) {
        answer(socket, tls);
    }
}

void TestServer::answer(QSslSocket *socket, bool tls)
{
    if (socket->property("answered").toBool())
        return;
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    const auto end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("head", head);
        return;
    }
    socket->setProperty("answered", true);

    const QList<QByteArray> lines = head.left(end).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    Request request;
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    request.tls = tls;
    request.time = QDateTime::currentDateTime();
    for (const QByteArray &line : lines.mid(1)) {
        const auto colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        if (name == "host")
            request.host = line.mid(colon + 1).trimmed();
        else if (name == "cookie")
            request.cookie = line.mid(colon + 1).trimmed();
    }
    m_requests.append(request);

    const QByteArray withoutQuery = request.path.left(request.path.indexOf('?'));
    const Page notFound{404, "text/html; charset=utf-8", "<html><body>Non trovato</body></html>"};
    const Page page = m_pages.value(request.path, m_pages.value(withoutQuery, notFound));
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(page.status) + ' ' +
                       reasonPhrase(page.status) + "\r\nContent-Type: " + page.contentType +
                       "\r\nContent-Length: " + QByteArray::number(page.body.size()) +
                       "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n";
    if (request.method != "HEAD")
        reply += page.body;
    emit requestReceived(request);
    if (page.held) {
        m_held.append({socket, reply});
        return;
    }
    socket->write(reply);
    socket->disconnectFromHost();
}

void TestServer::releaseHeldAnswers()
{
    for (const auto &[socket, reply] : std::exchange(m_held, {})) {
        if (!socket)
            continue;
        socket->write(reply);
        socket->disconnectFromHost();
    }
}

void mapTestHostsTo(quint16 port, SearchHost searchHost)
{
    const QByteArray target = "127.0.0.1:" + QByteArray::number(port);
    const QByteArray search =
        searchHost == SearchHost::Served ? ", MAP www.google.it " + target : QByteArray();
    // The catch-all keeps every other name off the network, so a test never leaves loopback.
    const QByteArray flags = "--host-resolver-rules=\"MAP *.torvi.example " + target + search +
                             ", MAP * ~NOTFOUND, EXCLUDE 127.0.0.1\" --ignore-certificate-errors";
    QByteArray existing = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", existing.isEmpty() ? flags : existing + ' ' + flags);
}

} // namespace torvi::test
