// Torvi tests: the packaged desktop entry and the one the registration writes agree.
#include "tools/install_paths.h"
#include "tools/xdg_default_browser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace torvi {
namespace {

// The registration's entry has the same id as the packaged one and shadows it in the user's
// data folder; if the two differed, registering would quietly change the menu entry.
TEST(DesktopEntryFileTest, PackagedEntryIsTheOneTheRegistrationWrites)
{
    std::ifstream file(TORVI_DATA_DIR "/torvi.desktop", std::ios::binary);
    ASSERT_TRUE(file) << TORVI_DATA_DIR "/torvi.desktop cannot be read";
    std::ostringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str(), desktopEntryText(LinuxInstalledCommand));
}

} // namespace
} // namespace torvi
