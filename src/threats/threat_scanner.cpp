// Torvi: the threat keyword check.
#include "threats/threat_scanner.h"

#include "threats/danger_words.h"

#include <algorithm>
#include <cassert>
#include <queue>

namespace torvi {

namespace {

static_assert(DangerWordTable.size() <= 32, "found slots are kept in a 32-bit mask");

unsigned char foldAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool equalFolded(char a, char b)
{
    return foldAscii(static_cast<unsigned char>(a)) == foldAscii(static_cast<unsigned char>(b));
}

} // namespace

void ThreatScanner::InitDanger()
{
    m_words.assign(DangerWordTable.begin(), DangerWordTable.end());

    // Bytes that occur in no keyword share class 0 and always lead back to the root, so
    // the table stays a few kilobytes and sits in the first-level cache.
    std::fill(m_classOf.begin(), m_classOf.end(), std::uint8_t{0});
    m_classCount = 1;
    for (const auto &word : m_words) {
        for (const char ch : word) {
            const unsigned char folded = foldAscii(static_cast<unsigned char>(ch));
            if (m_classOf[folded] == 0) {
                m_classOf[folded] = static_cast<std::uint8_t>(m_classCount++);
                if (folded >= 'a' && folded <= 'z')
                    m_classOf[folded - 'a' + 'A'] = m_classOf[folded];
            }
        }
    }

    // The trie of the keywords; -1 marks a missing child.
    std::vector<std::vector<int>> child(1, std::vector<int>(m_classCount, -1));
    std::vector<std::uint32_t> found(1, 0);
    for (std::size_t slot = 0; slot < m_words.size(); ++slot) {
        std::size_t state = 0;
        for (const char ch : m_words[slot]) {
            const std::size_t c = m_classOf[static_cast<unsigned char>(ch)];
            if (child[state][c] < 0) {
                child[state][c] = static_cast<int>(child.size());
                child.emplace_back(m_classCount, -1);
                found.push_back(0);
            }
            state = static_cast<std::size_t>(child[state][c]);
        }
        found[state] |= std::uint32_t{1} << slot;
    }
    assert(child.size() < 65536 / m_classCount);

    // Breadth first, so a state's failure target is complete before the state itself:
    // every transition is resolved once here and the scan never follows a failure link.
    const std::size_t states = child.size();
    std::vector<std::size_t> next(states * m_classCount, 0);
    std::vector<std::size_t> failure(states, 0);
    std::queue<std::size_t> pending;
    pending.push(0);
    while (!pending.empty()) {
        const std::size_t state = pending.front();
        pending.pop();
        for (std::size_t c = 0; c < m_classCount; ++c) {
            const std::size_t viaFailure = state == 0 ? 0 : next[failure[state] * m_classCount + c];
            if (child[state][c] < 0) {
                next[state * m_classCount + c] = viaFailure;
                continue;
            }
            const auto target = static_cast<std::size_t>(child[state][c]);
            failure[target] = viaFailure;
            found[target] |= found[viaFailure];
            next[state * m_classCount + c] = target;
            pending.push(target);
        }
    }

    // Stored as row offsets, so the scan does no multiplication.
    m_next.assign(states * m_classCount, 0);
    m_found.assign(states * m_classCount, 0);
    for (std::size_t i = 0; i < next.size(); ++i)
        m_next[i] = static_cast<std::uint16_t>(next[i] * m_classCount);
    for (std::size_t state = 0; state < states; ++state)
        m_found[state * m_classCount] = found[state];
}

CheckResult ThreatScanner::CheckDanger(std::string_view pageText, std::string_view address) const
{
    const std::uint32_t all = m_words.empty() ? 0 : (~std::uint32_t{0} >> (32 - m_words.size()));
    std::uint32_t foundSlots = m_found[0];
    std::size_t row = 0;
    for (const char ch : pageText) {
        row = m_next[row + m_classOf[static_cast<unsigned char>(ch)]];
        foundSlots |= m_found[row];
        if (foundSlots == all && all != 0)
            break;
    }
    return resultFor(foundSlots, address);
}

CheckResult ThreatScanner::checkDangerPlain(std::string_view pageText,
                                            std::string_view address) const
{
    std::uint32_t foundSlots = 0;
    for (std::size_t slot = 0; slot < m_words.size(); ++slot) {
        const auto &word = m_words[slot];
        if (std::search(pageText.begin(), pageText.end(), word.begin(), word.end(), equalFolded) !=
                pageText.end() ||
            word.empty())
            foundSlots |= std::uint32_t{1} << slot;
    }
    return resultFor(foundSlots, address);
}

CheckResult ThreatScanner::resultFor(std::uint32_t foundSlots, std::string_view address) const
{
    CheckResult result;
    result.clean = foundSlots == 0;
    int matchNumber = 0;
    for (std::size_t slot = 0; slot < m_words.size(); ++slot) {
        if (foundSlots & (std::uint32_t{1} << slot)) {
            result.lines.push_back(dangerLine(address, ++matchNumber, m_words[slot]));
            result.words.push_back(m_words[slot]);
        }
    }
    return result;
}

std::string dangerLine(std::string_view address, int matchNumber, std::string_view keyword)
{
    std::string line{address};
    line += DangerLineSeparator;
    line += std::to_string(matchNumber);
    line += DangerLineThreat;
    line += keyword;
    return line;
}

std::string_view verdictText(bool clean)
{
    return clean ? VerdictClean : VerdictDanger;
}

} // namespace torvi
