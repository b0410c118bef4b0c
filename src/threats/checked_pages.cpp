// Torvi: what the threat check has seen in this run.
#include "threats/checked_pages.h"

namespace torvi {

void CheckedPages::record(std::string_view address, const CheckResult &result)
{
    ++m_documentsChecked;
    if (!result.clean)
        ++m_documentsWithThreats;
    m_latest.push_front(CheckedPage{std::string{address}, result.clean, result.words});
    if (m_latest.size() > Kept)
        m_latest.pop_back();
}

} // namespace torvi
