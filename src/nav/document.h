// Torvi: what a completed document shows the event handlers.
#pragma once

#include <string>

namespace torvi {

// A snapshot of the top document, read before DocumentComplete is raised so that the
// history line, the page source and the threat check all see the same page.
struct DocumentSnapshot
{
    bool hasBody = false; // false: no HTML body (a plug-in page, an image, a read failure)
    std::string bodyHtml; // body.innerHTML, UTF-8
    std::string title;    // document.title, UTF-8
};

} // namespace torvi
