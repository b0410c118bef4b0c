// Torvi end-to-end: the shipped program killed at any moment leaves every file it keeps whole.
#include "nav/windows_path.h"
#include "support/temp_home.h"
#include "support/test_server.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>
#include <random>
#include <signal.h>

class CrashSafetyTest : public QObject
{
    Q_OBJECT

    torvi::test::TempHome m_home;
    torvi::test::TestServer m_server;

private slots:
    // On a page that navigates itself every 50 ms, with a log large enough that its rewrites
    // take a while, the program is killed at 30 random moments and started again on the same
    // home. After every kill History.xml parses, every line of cronologia.txt is whole, and a
    // new file a killed rewrite left beside the log is gone by the next kill.
    void killedAtAnyMomentTheFilesStayWhole()
    {
        QVERIFY2(m_server.start(), "the test server needs a free port and TLS");
        torvi::test::mapTestHostsTo(m_server.serverPort());
        m_server.setPage("/gira.html",
                         "<title>Gira</title><script>setTimeout(function () {"
                         " location.href = '/gira.html?' + Date.now() }, 50)</script>");
        QVERIFY(torvi::prepareMappedDrive("mario"));
        const QString folder = QString::fromStdString(torvi::nativePath("C:\\").string()) + '/';
        const QString log = folder + "Programmi/Torvi/History.xml";
        torvi::test::writeText(log.toStdString(),
                               "<?xml version='1.0'?>\r\n<history>\r\n" +
                                   QByteArray("<connection>\r\n\t<URL>a</URL>\r\n</connection>\r\n")
                                       .repeated(100000)
                                       .toStdString() +
                                   "</history>\r\n");
        const auto text = [](const QString &path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QRegularExpression wholeLine(
            "^https://www.torvi.example/gira.html(\\?\\d+)?\\|\\|"
            "\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\\|\\|Gira\r$");
        std::mt19937 random{std::random_device{}()};
        QStringList leftovers;
        for (int kill = 0; kill < 30; ++kill) {
            // Killed once a page is in: by then the log has been written, leftovers removed.
            const auto pages = text(folder + "WINDOWS/cronologia.txt").count('\n');
            QProcess program;
            program.start(TORVI_EXECUTABLE, {"https://www.torvi.example/gira.html"});
            QTRY_VERIFY_WITH_TIMEOUT(text(folder + "WINDOWS/cronologia.txt").count('\n') > pages,
                                     60000);
            QTest::qWait(int(random() % 600));
            QCOMPARE(::kill(pid_t(program.processId()), SIGKILL), 0);
            QVERIFY(program.waitForFinished());

            QXmlStreamReader xml(text(log));
            while (!xml.atEnd())
                xml.readNext();
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            const QByteArray history = text(folder + "WINDOWS/cronologia.txt");
            for (const QByteArray &line : history.split('\n').mid(0, history.count('\n')))
                QVERIFY2(wholeLine.match(QString::fromUtf8(line)).hasMatch(), line.constData());
            QVERIFY(history.endsWith('\n') || history.isEmpty());
            const QStringList now = QDir(folder + "Programmi/Torvi")
                                        .entryList({".History.xml.*"}, QDir::Hidden | QDir::Files);
            for (const QString &name : now)
                QVERIFY2(!leftovers.contains(name), qPrintable(name + " outlived a write"));
            leftovers = now;
        }
    }
};

QTEST_GUILESS_MAIN(CrashSafetyTest)

#include "crash_safety_test.moc"
