// Torvi: the navigation hub.
#include "nav/navigation_hub.h"

namespace torvi {

NavigationHub::NavigationHub(NavigationLog &log) : m_log(log) {}

void NavigationHub::NavigateBrowser(const std::string &url, const std::string &action,
                                    Engine &browser, AddressBox &)
{
    // Each refusal below ends the request silently, by design: no message, no record.
    if (action == ActionBack) {
        (void)browser.GoBack();
        return;
    }
    if (action == ActionNext) {
        (void)browser.GoForward();
        return;
    }
    if (action == ActionRefresh) {
        (void)browser.Refresh2();
        return;
    }
    if (!browser.Navigate2(url, Engine::navNoHistory))
        return;
    (void)m_log.WriteHistoryXml(browser.LocationURL(), m_downloadPending);
}

void NavigationHub::StopBrowser(Engine &browser, AddressBox &)
{
    (void)browser.Stop();
}

} // namespace torvi
