// Torvi tests: setting the http/https default handlers in mimeapps.list text.
#include "tools/xdg_default_browser.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

constexpr const char *Http = "x-scheme-handler/http=torvi.desktop\n";
constexpr const char *Https = "x-scheme-handler/https=torvi.desktop\n";

TEST(MimeappsTest, OnlyTheTwoKeysOfTheDefaultSectionChange)
{
    struct Case
    {
        const char *label;
        std::string before;
        std::string after;
    };
    const std::string s = "[Default Applications]\n";
    const std::vector<Case> cases = {
        {"empty file", "", s + Http + Https},
        {"no section: appended after a blank line", "[Added Associations]\ntext/plain=a.desktop;\n",
         "[Added Associations]\ntext/plain=a.desktop;\n\n" + s + Http + Https},
        {"both keys replaced in place, others kept in order",
         s + "# mine\nx-scheme-handler/https=ff.desktop\ntext/html=ff.desktop\n"
             "x-scheme-handler/http=ff.desktop\n",
         s + "# mine\n" + Https + "text/html=ff.desktop\n" + Http},
        {"https does not count as http", s + "x-scheme-handler/https=ff.desktop\n",
         s + Https + Http},
        {"keys of other sections untouched",
         "[Added Associations]\nx-scheme-handler/http=ff.desktop;\n" + s +
             "x-scheme-handler/http=ff.desktop\n[Removed Associations]\n"
             "x-scheme-handler/https=ff.desktop;\n",
         "[Added Associations]\nx-scheme-handler/http=ff.desktop;\n" + s + Http + Https +
             "[Removed Associations]\nx-scheme-handler/https=ff.desktop;\n"},
        {"missing key goes after the section's last entry, before the blank line",
         s + "text/html=ff.desktop\n\n[Other]\nk=v\n",
         s + "text/html=ff.desktop\n" + Http + Https + "\n[Other]\nk=v\n"},
        {"commented-out key stays a comment", s + "#x-scheme-handler/http=old.desktop\n",
         s + "#x-scheme-handler/http=old.desktop\n" + Http + Https},
        {"spaces around the equals sign", s + "x-scheme-handler/http = ff.desktop\n" + Https,
         s + Http + Https},
        {"last line without its end", s + "text/html=ff.desktop",
         s + "text/html=ff.desktop\n" + Http + Https},
        {"CR LF file keeps CR LF", "[Default Applications]\r\ntext/html=ff.desktop\r\n",
         "[Default Applications]\r\ntext/html=ff.desktop\r\n"
         "x-scheme-handler/http=torvi.desktop\r\nx-scheme-handler/https=torvi.desktop\r\n"},
    };
    for (const auto &c : cases) {
        const auto once = withDefaultHandlers(c.before, "torvi.desktop");
        EXPECT_EQ(once, c.after) << c.label;
        EXPECT_EQ(withDefaultHandlers(once, "torvi.desktop"), once) << c.label << " (twice)";
    }
}

} // namespace
} // namespace torvi
