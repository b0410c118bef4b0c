// Torvi benchmarks: the bare engine Torvi is measured against. One view on the default
// profile, loading the address it is given; nothing else.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWebEngineView view;
    view.resize(1024, 768);
    if (argc > 1)
        view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    view.show();
    return QApplication::exec();
}
