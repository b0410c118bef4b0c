// Torvi: the navigation hub.
#include "nav/navigation_hub.h"

namespace torvi {

NavigationHub::NavigationHub(RecordWriter &records) : m_records(records) {}

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
    m_records.WriteHistoryXml(browser.LocationURL(), m_downloadPending);
}

void NavigationHub::StopBrowser(Engine &browser, AddressBox &)
{
    (void)browser.Stop();
}

} // namespace torvi
