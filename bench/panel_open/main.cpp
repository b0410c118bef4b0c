// Torvi benchmark: how soon the history and favorites panels show their entries when the files
// are large (200 000 lines, or one line of 50 MB), each panel on its own in a plain window.
// Each round opens every panel once, in turns; the files are read anew at every opening, as
// they are when a user opens a panel.
#include "favorites/favorites_file.h"
#include "favorites/qt/favorites_panel.h"
#include "history/history_file.h"
#include "history/qt/history_panel.h"
#include "nav/file_system.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "ui/qt/message_boxes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListView>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace torvi;

namespace {

struct Host : HistoryHost, FavoritesHost
{
    QPoint pageTopLeft() const override { return {}; }
    void hidePageForPanel() override {}
    void showPageAfterOpen() override {}
    void closePanels() override {}
    void openAddress(const std::string &) override {}
    QString pageCaption() const override { return {}; }
    QString pageAddressText() const override { return {}; }
};

struct SilentBoxes : MessageBoxes
{
    MessageAnswer show(QWidget *, const QString &text, MessageButtons, MessageIcon,
                       const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MessageAnswer::Ok;
    }
    QuestionAnswer ask(QWidget *parent, const Question &question) override
    {
        return {show(parent, question.text, {}, {}, question.caption), {}, false};
    }
};

// Times from the panel's opening to the end of its first paint, and to the end of the first
// paint of its list with entries in it.
class FirstPaints : public QObject
{
public:
    FirstPaints(QWidget *panel, QAbstractItemView *list) : m_panel(panel), m_list(list)
    {
        panel->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
    // Opens the panel and waits, without spinning, for both paints.
    template <class Open> void measure(Open open)
    {
        panelMs = listMs = -1;
        m_clock.start();
        open();
        // A panel that never paints its entries is given up after two minutes (-1 below).
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &m_loop, &QEventLoop::quit);
        limit.start(120000);
        m_loop.exec();
    }
    double panelMs = -1, listMs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !m_clock.isValid())
            return false;
        // A zero timer fires once the paint in progress has been drawn and flushed.
        if (watched == m_panel && panelMs < 0)
            QTimer::singleShot(0, this, [this] {
                if (panelMs < 0)
                    panelMs = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
                quitWhenBoth();
            });
        if (watched == m_list->viewport() && listMs < 0 && m_list->model()->rowCount() > 0)
            QTimer::singleShot(0, this, [this] {
                if (listMs < 0)
                    listMs = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
                quitWhenBoth();
            });
        return false;
    }

private:
    void quitWhenBoth()
    {
        if (panelMs >= 0 && listMs >= 0)
            m_loop.quit();
    }

    QEventLoop m_loop;
    QWidget *m_panel;
    QAbstractItemView *m_list;
    QElapsedTimer m_clock;
};

struct Case
{
    const char *name;
    std::string home;
    bool history;
    std::vector<double> panel, list, read;
};

// The file read and split on this thread, as the panel's reader does beside the window.
double readAlone(bool history, FileSystem &fileSystem)
{
    QElapsedTimer clock;
    clock.start();
    std::size_t entries = 0;
    if (history) {
        entries = HistoryFile{fileSystem}.readHistory().size();
    } else {
        FavoritesTable table;
        (void)FavoritesFile{}.load(table);
        entries = table.count();
    }
    if (entries == 0)
        std::fprintf(stderr, "no entries read\n");
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

std::string makeHome(const std::string &fileName, const std::string &content)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "torvi-panels-XXXXXX").string();
    const std::string home = ::mkdtemp(pattern.data());
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);
    (void)prepareMappedDrive("bench");
    if (!writeFileAtomically(nativePath("C:\\WINDOWS\\" + fileName), content)) {
        std::fprintf(stderr, "cannot write %s\n", fileName.c_str());
        std::exit(1);
    }
    return home;
}

std::string manyLines(bool history)
{
    std::string content;
    for (int i = 0; i < 200000; ++i) {
        const std::string n = std::to_string(i);
        content += history ? "https://www.torvi.example/pagina/" + n +
                                 "||06/12/2026 10:00:00||Pagina " + n + "\r\n"
                           : "Preferito " + n + "||https://www.torvi.example/pagina/" + n + "\r\n";
    }
    return content;
}

std::string oneLongLine(bool history)
{
    const std::string address = "https://www.torvi.example/?q=" + std::string(50u << 20, 'x');
    return history ? address + "||06/12/2026 10:00:00||Enorme\r\n" : "Enorme||" + address + "\r\n";
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    int rounds = 11;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--rounds")
            rounds = std::atoi(argv[i + 1]);
    QApplication app(argc, argv);

    std::vector<Case> cases = {
        {"history, 200 000 lines", makeHome("cronologia.txt", manyLines(true)), true, {}, {}, {}},
        {"history, one 50 MB line",
         makeHome("cronologia.txt", oneLongLine(true)),
         true,
         {},
         {},
         {}},
        {"favorites, 200 000 lines",
         makeHome("preferiti.txt", manyLines(false)),
         false,
         {},
         {},
         {}},
        {"favorites, one 50 MB line",
         makeHome("preferiti.txt", oneLongLine(false)),
         false,
         {},
         {},
         {}},
    };

    Host host;
    FileSystem fileSystem;
    SilentBoxes boxes;
    QWidget window;
    window.resize(600, 900);
    auto *history = new HistoryPanel(
        host, fileSystem, boxes, [] { return "bench"; }, &window);
    auto *favorites = new FavoritesPanel(host, boxes, &window);
    FirstPaints historyPaints(history, history->findChild<QTreeView *>("ListView2"));
    FirstPaints favoritesPaints(favorites, favorites->findChild<QListView *>("ListView1"));
    window.show();
    QCoreApplication::processEvents();

    for (int round = 0; round < rounds; ++round)
        for (Case &c : cases) {
            ::setenv("XDG_DATA_HOME", c.home.c_str(), 1);
            FirstPaints &paints = c.history ? historyPaints : favoritesPaints;
            QWidget *panel = c.history ? static_cast<QWidget *>(history) : favorites;
            paints.measure([&] {
                if (c.history)
                    history->InitCronologia();
                else
                    favorites->InitPreferiti();
            });
            c.panel.push_back(paints.panelMs);
            c.list.push_back(paints.listMs);
            panel->hide();
            QCoreApplication::processEvents();
            c.read.push_back(readAlone(c.history, fileSystem));
        }

    const auto figures = [](const std::vector<double> &v) {
        return QString::asprintf("%.1f (%.1f-%.1f)", median(v),
                                 *std::min_element(v.begin(), v.end()),
                                 *std::max_element(v.begin(), v.end()));
    };
    std::printf("%d rounds; median (min-max) ms from the opening call\n\n", rounds);
    std::printf("| Panel, file | Panel painted | Entries painted | File read and split alone |\n"
                "|---|---|---|---|\n");
    for (const Case &c : cases) {
        std::printf("| %s | %s | %s | %s |\n", c.name, qPrintable(figures(c.panel)),
                    qPrintable(figures(c.list)), qPrintable(figures(c.read)));
        std::filesystem::remove_all(c.home);
    }
    return 0;
}
