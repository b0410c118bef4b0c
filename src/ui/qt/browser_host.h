// Torvi: what a browser window's page handling asks of the main window, which owns the
// site-information list, the counter page and newWebBrowser's places. A secondary window
// reaches the main window only through this, as the panels do through their own hosts.
#pragma once

#include <QWidget>
#include <string>

namespace torvi {

class EngineView;

// A widget, so that a window outliving it (while the program is taken down) can tell it is
// gone.
class BrowserHost : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Runs the threat check on a completed document's body, adds its findings to listDanger
    // and answers whether the page is clean. Every window's pages come here.
    virtual bool CheckDanger(const std::string &pageText, const std::string &url) = 0;

    // Reloads the counter page; done after every completed document of any window.
    virtual void refreshCounter() = 0;

    // Makes a shown secondary window for a page's new-window request, not counted against
    // newWebBrowser's places, and answers its engine.
    virtual EngineView *openRequestedWindow() = 0;

    // Opens a secondary window on the address (the search engine's home page when empty).
    // At most seven per run; after that it says so and answers false.
    virtual bool newWebBrowser(const std::string &URL) = 0;

    // Shows the page-source window (one for the program) with the body's markup.
    virtual void showPageSource(const std::string &body) = 0;
};

} // namespace torvi
