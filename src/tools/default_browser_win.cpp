// Torvi: the default-browser registration on Windows: the registry write.
#include "tools/default_browser.h"

#include "tools/win_registry.h"

namespace torvi {

Status registerAsDefaultBrowser()
{
    WinRegistry registry;
    RegisterDefaultBrowser(registry);
    return Status::ok();
}

} // namespace torvi
