// Torvi tests: the threat keyword check.
#include "support/temp_home.h"
#include "threats/threat_scanner.h"

namespace torvi {
namespace {

// The keywords of a check's lines in their order, or "clean".
std::string hitWords(const CheckResult &result)
{
    std::string words = result.clean ? "clean" : "";
    for (const auto &line : result.lines)
        words += line.substr(line.rfind(' ') + 1) + " ";
    return words;
}

TEST(ThreatScannerTest, OneLinePerKeywordFoundInSlotOrder)
{
    ThreatScanner scanner;
    EXPECT_EQ(hitWords(scanner.CheckDanger("sex crack", "A")), "clean") << "empty until filled";
    scanner.InitDanger();
    const test::Row<std::string, const char *> rows[] = {
        {"capitals yield the word and the word inside it", "<p>CRACKING</p>", "cracking crack "},
        {"inside a longer word, one line however often", "a moral ORAL oral", "oral "},
        {"hackz shows the stored capital Z", "hackz", "hackZ "},
        {"slot order; a word ending another", "worm exploit hardsex", "sex exploit worm hardsex "},
        {"a failed start just before a match", "cracrack", "crack "},
        {"accents next to it, a NUL splits", std::string("\xC3\xA8sex\xC3\xA8 se\0x", 12), "sex "},
        {"tags and spaces split words", "cr<b>ack</b> s ex", "clean"},
        {"only ASCII letters fold: Kelvin sign, dotless i, long s",
         "hac\xE2\x84\xAAing hack\xC4\xB1ng \xC5\xBF"
         "ex",
         "clean"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(hitWords(scanner.CheckDanger(r.in, "http://sex.example/crack")), r.out)
            << r.label;
    // Numbered from 1 at every check.
    EXPECT_EQ(scanner.CheckDanger("exploit worm", "A").lines,
              (std::vector<std::string>{"A - 1 - Minaccia : exploit", "A - 2 - Minaccia : worm"}));
}

} // namespace
} // namespace torvi
