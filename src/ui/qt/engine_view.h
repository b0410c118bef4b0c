// Torvi: an engine instance as the windows see it: a widget that offers the engine's members
// to the navigation hub and raises the engine's events as signals. The real one wraps Qt
// WebEngine (WebEngineAdapter); window tests use a fake that raises events on demand.
#pragma once

#include "nav/document.h"
#include "nav/engine.h"

#include <QString>
#include <QWidget>
#include <functional>

namespace torvi {

class EngineView : public QWidget, public Engine
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // NewWindow2: asked while a page waits for its new window. Answers the engine that
    // takes the page (already in a shown window), or nullptr to cancel the request.
    using NewWindowHandler = std::function<EngineView *()>;
    void setNewWindowHandler(NewWindowHandler handler) { m_newWindowHandler = std::move(handler); }

signals:
    // Once per completed document, frames included, with that document's address; the
    // snapshot is always of the top document.
    void DocumentComplete(const QString &url, const torvi::DocumentSnapshot &document);
    // An HTTP error answer gives the positive status; engine and network failures a
    // negative engine error code.
    void NavigateError(const QString &url, int statusCode);
    void NavigateComplete2(const QString &url);
    void ProgressChange(int progress, int progressMax);
    void StatusTextChange(const QString &text);
    void WindowClosing();

protected:
    EngineView *askForNewWindow() { return m_newWindowHandler ? m_newWindowHandler() : nullptr; }

private:
    NewWindowHandler m_newWindowHandler;
};

// Which engine of the program a new instance is for; the adapter may size its cost by it.
enum class EngineRole
{
    Page,
    Tools,
    Counter,
    Secondary
};

// Makes the engine instances of the windows; the program's makes WebEngine adapters, a
// window test makes fakes.
using EngineFactory = std::function<EngineView *(QWidget *parent, EngineRole role)>;

} // namespace torvi
