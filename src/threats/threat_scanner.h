// Torvi: the threat keyword check run on the body of every completed page. The main window
// owns one scanner, fills it at start-up and lends it to every window's document handler.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvi {

struct CheckResult
{
    bool clean = true;              // no keyword found
    std::vector<std::string> lines; // for listDanger, in slot order, numbered from 1
    std::vector<std::string> words; // the keywords found, in the same order
};

// Matching folds ASCII letters only: "HACKZ" finds "hackZ", but the Kelvin sign, the
// Turkish dotted and dotless I, the long s and full-width letters never stand in for an
// ASCII letter. The keywords are ASCII, so this is the only folding that can matter, and it
// keeps a page's verdict the same whatever the user's locale (a Turkish locale would not
// fold "I" to "i" at all). Bytes of UTF-8 sequences are all above 0x7F, so folding byte by
// byte never touches them.
class ThreatScanner
{
public:
    // Fills the keyword table. Until then the table is empty and every page is clean.
    void InitDanger();

    // Searches the page text for every keyword in one pass. The address only labels the
    // lines; it is never searched.
    CheckResult CheckDanger(std::string_view pageText, std::string_view address) const;

    // The same answer from one case-insensitive search per keyword: the reference the
    // one-pass check is measured and tested against.
    CheckResult checkDangerPlain(std::string_view pageText, std::string_view address) const;

private:
    CheckResult resultFor(std::uint32_t foundSlots, std::string_view address) const;

    std::vector<std::string> m_words;
    // A byte-driven automaton over the folded keywords (Aho-Corasick, its failure links
    // resolved into a full transition table): m_next[state * m_classCount + class].
    std::vector<std::uint8_t> m_classOf = std::vector<std::uint8_t>(256, 0);
    std::size_t m_classCount = 1;
    std::vector<std::uint16_t> m_next = std::vector<std::uint16_t>(1, 0);
    std::vector<std::uint32_t> m_found = std::vector<std::uint32_t>(1, 0); // slots per state
};

// One line of listDanger: address, " - ", number, " - Minaccia : ", keyword.
std::string dangerLine(std::string_view address, int matchNumber, std::string_view keyword);

// The status-bar verdict for a check's result.
std::string_view verdictText(bool clean);

} // namespace torvi
