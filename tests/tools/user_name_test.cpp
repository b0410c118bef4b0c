// Torvi tests: the user name out of the system's buffer.
#include "tools/user_name.h"

#include <gtest/gtest.h>
#include <vector>

namespace torvi {
namespace {

TEST(UserNameTest, NameIsTheBufferUpToTheNulTheLengthCounts)
{
    struct Case
    {
        const char *label;
        std::uint32_t length;
        std::string expected;
    };
    const std::string buffer = std::string{"mario\0", 6} + std::string(250, ' ');
    const std::vector<Case> cases = {
        {"length with the NUL", 6, "mario"},
        {"length 1: only the NUL", 1, ""},
        {"length 0", 0, ""},
        {"buffer too small: the length needed", 300, buffer.substr(0, 256)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(userNameFromBuffer(buffer, c.length), c.expected) << c.label;
}

} // namespace
} // namespace torvi
