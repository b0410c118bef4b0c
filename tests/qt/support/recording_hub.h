// Torvi tests: the real navigation hub, recording every request made of it.
#pragma once

#include "nav/navigation_hub.h"

#include <QList>
#include <string>

namespace torvi::test {

struct HubCall
{
    std::string url;
    std::string action;
    Engine *browser;
    AddressBox *addressBox;
};

class RecordingHub : public NavigationHub
{
public:
    using NavigationHub::NavigationHub;

    QList<HubCall> calls;

    void NavigateBrowser(const std::string &url, const std::string &action, Engine &browser,
                         AddressBox &addressBox) override
    {
        calls.append({url, action, &browser, &addressBox});
        NavigationHub::NavigateBrowser(url, action, browser, addressBox);
    }

    // Recorded with the action "(stop)", which no caller can pass as a word of its own.
    void StopBrowser(Engine &browser, AddressBox &addressBox) override
    {
        calls.append({{}, "(stop)", &browser, &addressBox});
        NavigationHub::StopBrowser(browser, addressBox);
    }
};

} // namespace torvi::test
