// Torvi tests: splitting a file's text into lines, the same on every system.
#include "nav/text_file.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace torvi {
namespace {

TEST(TextFileTest, LinesEndAtCrLfCrOrLf)
{
    struct Case
    {
        const char *label;
        std::string text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"last line without end", "a\r\nb", {"a", "b"}},
        {"empty lines count", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"lone CR", "a\rb", {"a", "b"}},
        {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
        {"nothing", "", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(splitLines(c.text), c.lines) << c.label;
}

} // namespace
} // namespace torvi
