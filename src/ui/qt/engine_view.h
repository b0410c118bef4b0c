// Torvi: an engine instance as the windows see it: a widget that offers the engine's members
// to the navigation hub and raises the engine's events as signals. The real one wraps Qt
// WebEngine (WebEngineAdapter); window tests use a fake that raises events on demand.
#pragma once

#include "nav/document.h"
#include "nav/download.h"
#include "nav/engine.h"

#include <QString>
#include <QWidget>
#include <functional>

namespace torvi {

// A question a page puts to its window's user: whether it may have a new window, or its
// script's alert, confirmation or prompt. From the page's second question on, the engine
// offers the user a way to refuse its further questions of the kind.
struct PageQuestion
{
    enum class Kind
    {
        NewWindow,
        Alert,
        Confirm,
        Prompt
    };
    Kind kind = Kind::NewWindow;
    QString host;        // of the page whose script asks
    QString text;        // a dialog's message
    QString defaultText; // a prompt's proposed answer
    bool offerRefuseMore = false;
};

struct PageQuestionAnswer
{
    bool accepted = false;
    QString text; // a prompt's answer
    bool refuseMore = false;
};

class EngineView : public QWidget, public Engine
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // NewWindow2: asked while a page waits for its new window. Answers the engine that
    // takes the page (already in a shown window), or nullptr to cancel the request; sets
    // refuseMore when the user refused the page's further requests.
    using NewWindowHandler = std::function<EngineView *(const PageQuestion &, bool &refuseMore)>;
    void setNewWindowHandler(NewWindowHandler handler) { m_newWindowHandler = std::move(handler); }

    // A page's alert, confirmation or prompt. Without a handler the page gets no dialogs.
    using DialogHandler = std::function<PageQuestionAnswer(const PageQuestion &)>;
    void setDialogHandler(DialogHandler handler) { m_dialogHandler = std::move(handler); }

    // The window showing this engine has closed for good while the program goes on: stop,
    // fall silent and free what can be freed. A later request wakes it.
    virtual void windowClosed() {}

    // The page's zoom, in percent of its normal size; it holds for the pages loaded later.
    virtual void setZoomPercent(int percent) { m_zoomPercent = percent; }
    int zoomPercent() const { return m_zoomPercent; }

    // Highlights the text's matches on the page and moves to the next or the previous one;
    // FindResult tells how it went. Empty text clears the highlight.
    enum class FindDirection
    {
        Forward,
        Backward
    };
    virtual void findText(const QString &text, FindDirection direction)
    {
        (void)text;
        (void)direction;
    }

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
    // Ctrl with the mouse wheel over the page: so many zoom steps up (positive) or down.
    void ZoomWheel(int steps);
    // A download this engine's page started has moved on: begun, grown, ended or failed.
    void DownloadChange(const torvi::Download &download);
    // The user asked for the page's source from its context menu.
    void ViewSourceRequested();
    // The current match, from 1, of so many on the page.
    void FindResult(int activeMatch, int matches);

protected:
    EngineView *askForNewWindow(const PageQuestion &question, bool &refuseMore)
    {
        return m_newWindowHandler ? m_newWindowHandler(question, refuseMore) : nullptr;
    }
    PageQuestionAnswer askDialog(const PageQuestion &question)
    {
        return m_dialogHandler ? m_dialogHandler(question) : PageQuestionAnswer{};
    }

private:
    NewWindowHandler m_newWindowHandler;
    DialogHandler m_dialogHandler;
    int m_zoomPercent = 100;
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
