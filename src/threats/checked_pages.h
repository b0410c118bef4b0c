// Torvi: what the threat check has seen in this run, for Torvi's own pages: the tools view
// lists the latest pages with their verdicts and words, the counter page shows how many
// documents were checked. The main window records every check it runs for any window, the
// same check whose lines go to listDanger.
#pragma once

#include "threats/threat_scanner.h"

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace torvi {

struct CheckedPage
{
    std::string address;
    bool clean = true;
    std::vector<std::string> words; // the keywords found
};

class CheckedPages
{
public:
    // How many of the latest checks are kept for the tools view; all are counted.
    static constexpr std::size_t Kept = 50;

    void record(std::string_view address, const CheckResult &result);

    // The documents checked in this run, frames included: one per completed document.
    std::size_t documentsChecked() const { return m_documentsChecked; }
    std::size_t documentsWithThreats() const { return m_documentsWithThreats; }

    // The latest checks, newest first.
    const std::deque<CheckedPage> &latest() const { return m_latest; }

private:
    std::size_t m_documentsChecked = 0;
    std::size_t m_documentsWithThreats = 0;
    std::deque<CheckedPage> m_latest;
};

} // namespace torvi
