// Torvi tests: the program as main() builds it, on fake engines (window tests) or on the real
// one (end-to-end tests), with the real hub recorded and message boxes answered by the test.
#pragma once

#include "app/qt/frm_main.h"
#include "app/qt/program_services.h"
#include "nav/windows_path.h"
#include "popup/qt/web_form.h"
#include "support/temp_home.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/status_panels.h"

#include <QApplication>
#include <QListWidget>
#include <QtTest>
#include <fstream>

namespace torvi::test {

// The real hub, recording each request under the engine it was for.
class RecordingHub : public NavigationHub
{
public:
    using NavigationHub::NavigationHub;
    QHash<const Engine *, QStringList> calls; // "url action"; " (stop)": StopBrowser

    void NavigateBrowser(const std::string &url, const std::string &action, Engine &browser,
                         AddressBox &box) override
    {
        calls[&browser] << qs(url + ' ' + action);
        NavigationHub::NavigateBrowser(url, action, browser, box);
    }
    void StopBrowser(Engine &browser, AddressBox &box) override
    {
        calls[&browser] << " (stop)";
        NavigationHub::StopBrowser(browser, box);
    }
};

class ScriptedMessageBoxes : public MessageBoxes
{
public:
    QStringList shown;
    QList<MessageAnswer> answers; // taken in order; OK when none is left

    MessageAnswer show(QWidget *, const QString &text, MessageButtons, MessageIcon,
                       const QString &) override
    {
        shown << text;
        QTest::qWait(5); // a real box runs an event loop of its own
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }

    QList<Question> asked; // also in shown, by their text
    bool tick = false;     // every check box offered

    QuestionAnswer ask(QWidget *parent, const Question &question) override
    {
        asked << question;
        const MessageAnswer answer = show(parent, question.text, {}, {}, question.caption);
        return {answer, {}, tick && !question.checkBoxText.isEmpty()};
    }
};

// Goes wherever it is sent; a test raises its events with emit.
class FakeEngine : public EngineView
{
public:
    using EngineView::EngineView;
    std::string location;

    static FakeEngine *of(EngineView *engine) { return static_cast<FakeEngine *>(engine); }
    bool Navigate2(const std::string &url, int) override
    {
        location = url;
        return !url.empty();
    }
    bool GoBack() override { return true; }
    bool GoForward() override { return true; }
    bool Refresh2() override { return true; }
    std::string LocationURL() const override { return location; }
    QStringList finds; // what was looked for, "<" after a search backwards
    void findText(const QString &text, FindDirection direction) override
    {
        finds << text + (direction == FindDirection::Backward ? " <" : "");
    }
    EngineView *requestNewWindow()
    {
        bool refuseMore = false;
        return askForNewWindow({}, refuseMore);
    }
};

inline EngineFactory fakeEngines()
{
    return [](QWidget *parent, EngineRole) -> EngineView * { return new FakeEngine(parent); };
}

// The secondary windows open now, in no set order.
inline QList<webForm *> secondaryWindows()
{
    QList<webForm *> forms;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<webForm *>(w); form && form->isVisible())
            forms.append(form);
    return forms;
}

// The program's files go to the home the test has made; its endpoints come from the
// torvi.conf there, as main() reads them.
struct Program
{
    explicit Program(EngineFactory engines, const std::string &commandLine = {})
    {
        (void)prepareMappedDrive(currentUserName());
        window = new frmMain(MainServices{WindowServices{hub, boxes, std::move(engines), endpoints},
                                          fileSystem, scanner, historyFile, clock,
                                          [this] { ++registrations; }, [this] { ++endRequests; },
                                          checkedPages},
                             commandLine);
        window->show();
    }
    // The program's windows go, in no set order, as at its end.
    ~Program()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (QByteArray(w->metaObject()->className()).startsWith("torvi::"))
                w->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FileSystem fileSystem;
    SystemClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};
    HistoryFile historyFile{fileSystem};
    RecordWriter records{log, historyFile};
    RecordingHub hub{records};
    ThreatScanner scanner;
    CheckedPages checkedPages;
    Endpoints endpoints = endpointsOfThisRun();
    OwnSite site{endpoints, checkedPages, historyFile, FavoritesFile{}, emblemSvg()};
    ScriptedMessageBoxes boxes;
    int registrations = 0, endRequests = 0;
    frmMain *window;
};

// A file of the program's, by its Windows path; empty when it cannot be read.
inline QString fileText(std::string_view windowsPath)
{
    QFile file(QString::fromStdString(nativePath(windowsPath).string()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace torvi::test
