// Torvi tests: the threat keyword check.
#include "threats/danger_words.h"
#include "threats/threat_scanner.h"

#include <cctype>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace torvi {
namespace {

using Lines = std::vector<std::string>;

class ThreatScannerTest : public ::testing::Test
{
protected:
    ThreatScannerTest() { scanner.InitDanger(); }
    ThreatScanner scanner;
};

TEST_F(ThreatScannerTest, LinesFollowSlotOrderAndNumberFromOne)
{
    struct Case
    {
        const char *label;
        std::string body;
        Lines expected;
    };
    const std::string a = "http://a.example/";
    const std::vector<Case> cases = {
        {"capitals yield the word and the word inside it",
         "<p>CRACKING</p>",
         {a + " - 1 - Minaccia : cracking", a + " - 2 - Minaccia : crack"}},
        {"moral holds oral", "a moral tale", {a + " - 1 - Minaccia : oral"}},
        {"hardsex: slot 0 before slot 16",
         "hardsex",
         {a + " - 1 - Minaccia : sex", a + " - 2 - Minaccia : hardsex"}},
        {"hackz in lower case shows the stored capital Z",
         "hackz",
         {a + " - 1 - Minaccia : hackZ"}},
        {"hacking holds no hackZ", "hacking", {a + " - 1 - Minaccia : hacking"}},
        {"slot order, not page order",
         "worm then exploit then sex",
         {a + " - 1 - Minaccia : sex", a + " - 2 - Minaccia : exploit",
          a + " - 3 - Minaccia : worm"}},
        {"a keyword found many times gives one line",
         "sex sex SEX sEx",
         {a + " - 1 - Minaccia : sex"}},
        {"markup and scripts are searched too",
         "<a href=\"/serial.html\">x</a><script>var died;</script>",
         {a + " - 1 - Minaccia : serial", a + " - 2 - Minaccia : died"}},
        {"a failed start just before a match (cracrack)",
         "cracrack",
         {a + " - 1 - Minaccia : crack"}},
        {"a tag splits the word", "cr<b>ack</b>", {}},
        {"a space splits the word", "s ex", {}},
        {"Kelvin sign is not k", "hac\xE2\x84\xAAing", {}},
        {"Turkish dotted capital I is not i", "HACK\xC4\xB0NG", {}},
        {"Turkish dotless i is not i", "hack\xC4\xB1ng", {}},
        {"long s is not s",
         "\xC5\xBF"
         "ex",
         {}},
        {"full-width letters are not letters", "\xEF\xBD\x93\xEF\xBD\x85\xEF\xBD\x98", {}},
        {"accented neighbours do not hide a match",
         "\xC3\xA8sex\xC3\xA8",
         {a + " - 1 - Minaccia : sex"}},
        {"a NUL byte splits the word", std::string("se\0x", 4), {}},
        {"empty body", "", {}},
        {"clean page", "<html><body><p>Benvenuti su Torvi</p></body></html>", {}},
    };
    for (const auto &c : cases) {
        const auto result = scanner.CheckDanger(c.body, a);
        EXPECT_EQ(result.lines, c.expected) << c.label;
        EXPECT_EQ(result.clean, c.expected.empty()) << c.label;
    }
}

TEST_F(ThreatScannerTest, AddressIsNeverSearched)
{
    EXPECT_TRUE(scanner.CheckDanger("<p>niente</p>", "http://sex.example/crack").clean);
}

TEST_F(ThreatScannerTest, SamePageTwiceNumbersFromOneEachTime)
{
    const Lines expected = {"A - 1 - Minaccia : exploit", "A - 2 - Minaccia : worm"};
    for (const char *time : {"first", "second"})
        EXPECT_EQ(scanner.CheckDanger("exploit and worm", "A").lines, expected) << time;
}

TEST(ThreatScannerBeforeInit, EveryPageIsCleanUntilTheTableIsFilled)
{
    ThreatScanner scanner;
    EXPECT_TRUE(scanner.CheckDanger("sex crack", "A").clean);
    EXPECT_TRUE(scanner.checkDangerPlain("sex crack", "A").clean);
}

// Random texts dense in keyword letters, fragments and case variants, so partial matches,
// overlaps and restarts are common; the one-pass check must agree with 21 searches.
TEST_F(ThreatScannerTest, OnePassAgreesWithOneSearchPerKeywordOnRandomText)
{
    std::vector<std::string> pieces = {"\xC3\xA8", "\xE2\x84\xAA", "\xC4\xB1", "hac", "crac", "fuc",
                                       "har",      "dhjfhdkj",     "hdsjfhjk", "ing", "HACK"};
    for (const char letter : std::string_view{"sexhacikngrlzdjfpotuywmSEXKZCAIGN <>/"})
        pieces.emplace_back(1, letter);
    std::mt19937 random(20261206);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<std::size_t> pickWord(0, DangerWordTable.size() - 1);
    std::uniform_int_distribution<int> die(0, 15);
    // A keyword in random case, whole or cut short at either end: near misses test the
    // restarts, whole words inside others test the overlaps.
    const auto keywordish = [&] {
        std::string word{DangerWordTable[pickWord(random)]};
        for (auto &ch : word)
            ch = die(random) < 8 ? static_cast<char>(std::toupper(static_cast<unsigned char>(ch)))
                                 : static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        const int cut = die(random);
        if (cut < 4)
            word.erase(0, 1);
        else if (cut < 8)
            word.pop_back();
        return word;
    };
    // Short texts hold one or two near-keywords alone, where a missed overlap shows.
    std::uniform_int_distribution<int> shortLength(0, 10);
    std::uniform_int_distribution<int> longLength(0, 60);
    int dirty = 0;
    for (int round = 0; round < 40000; ++round) {
        std::string text;
        for (int n = round % 2 ? shortLength(random) : longLength(random); n > 0; --n)
            text += die(random) == 0 ? keywordish() : pieces[pick(random)];
        const auto fast = scanner.CheckDanger(text, "A");
        const auto plain = scanner.checkDangerPlain(text, "A");
        ASSERT_EQ(fast.lines, plain.lines) << "text: " << text;
        ASSERT_EQ(fast.clean, plain.clean) << "text: " << text;
        dirty += fast.clean ? 0 : 1;
    }
    // The alphabet must keep both outcomes common, or the comparison proves little.
    EXPECT_GT(dirty, 8000);
    EXPECT_LT(dirty, 32000);
}

TEST_F(ThreatScannerTest, EveryKeywordIsFoundOnceInSlotOrder)
{
    const std::string body =
        "SEX HACKING SERIAL HACKZ CRACKING DHJFHDKJHDSJFHJKSHDFKJ EXPLOIT CRACK FUCK PUSSY "
        "ORAL ANAL TITS WORM PEDOFILY DIED HARDSEX DAMAGE SNIFFER SUCK FUCKING";
    const auto lines = scanner.CheckDanger(body, "A").lines;
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[3], "A - 4 - Minaccia : hackZ");
    EXPECT_EQ(lines[20], "A - 21 - Minaccia : fucking");
    EXPECT_EQ(lines, scanner.checkDangerPlain(body, "A").lines);
}

} // namespace
} // namespace torvi
