// Torvi: the one routine through which every page request reaches an engine instance.
// Called by the toolbars, address boxes, panels, start-up and the engine event handlers.
#pragma once

#include "history/record_writer.h"
#include "nav/engine.h"

#include <string>
#include <string_view>

namespace torvi {

inline constexpr std::string_view ActionBack = "back";
inline constexpr std::string_view ActionNext = "next";
inline constexpr std::string_view ActionRefresh = "refresh";

class NavigationHub
{
public:
    explicit NavigationHub(RecordWriter &records);
    virtual ~NavigationHub() = default;

    // "back", "next" and "refresh" (exact, case-sensitive) move or reload the engine; any
    // other action opens the address, replacing the current history entry, and logs the
    // engine's address as it stands right after the request. Every failure on the way
    // ends the request silently: callers go on as if it had worked.
    virtual void NavigateBrowser(const std::string &url, const std::string &action, Engine &browser,
                                 AddressBox &addressBox);

    // Stops the engine's current load (the Esc key); no action word, no log record.
    virtual void StopBrowser(Engine &browser, AddressBox &addressBox);

    // The shared download flag every log record carries; nothing sets it.
    bool &DownloadPending() { return m_downloadPending; }
    // Where the history lines and log records go, written off the caller's thread.
    RecordWriter &records() { return m_records; }

private:
    RecordWriter &m_records;
    bool m_downloadPending = false;
};

} // namespace torvi
