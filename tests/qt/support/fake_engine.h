// Torvi tests: an engine instance that records the hub's calls and raises events on demand.
#pragma once

#include "ui/qt/engine_view.h"

#include <QStringList>

namespace torvi::test {

class FakeEngine : public EngineView
{
    Q_OBJECT

public:
    FakeEngine(QWidget *parent, EngineRole engineRole) : EngineView(parent), role(engineRole) {}

    EngineRole role;
    QStringList calls; // "Navigate2 <url> <flags>", "GoBack", "GoForward", "Refresh2"
    std::string location;

    bool Navigate2(const std::string &url, int flags) override
    {
        calls << QStringLiteral("Navigate2 %1 %2").arg(QString::fromStdString(url)).arg(flags);
        if (url.empty())
            return false;
        location = url;
        return true;
    }
    bool GoBack() override { return record("GoBack"); }
    bool GoForward() override { return record("GoForward"); }
    bool Refresh2() override { return record("Refresh2"); }
    bool Stop() override { return record("Stop"); }
    std::string LocationURL() const override { return location; }

    // Raises the engine's events as the real one would.
    void completeDocument(const QString &url, const QString &body, const QString &title)
    {
        emit DocumentComplete(url, DocumentSnapshot{true, body.toStdString(), title.toStdString()});
    }
    void completeDocumentWithoutBody(const QString &url)
    {
        emit DocumentComplete(url, DocumentSnapshot{});
    }
    void failNavigation(const QString &url, int statusCode) { emit NavigateError(url, statusCode); }
    EngineView *requestNewWindow()
    {
        bool refuseMore = false;
        return askForNewWindow({}, refuseMore);
    }

private:
    bool record(const char *call)
    {
        calls << call;
        return true;
    }
};

// Makes fake engines and remembers them in the order they were made.
struct FakeEngineFactory
{
    QList<FakeEngine *> made;

    EngineFactory factory()
    {
        return [this](QWidget *parent, EngineRole role) -> EngineView * {
            auto *engine = new FakeEngine(parent, role);
            made.append(engine);
            return engine;
        };
    }
};

} // namespace torvi::test
