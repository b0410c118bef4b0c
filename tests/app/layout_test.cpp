// Torvi tests: the windows' layout arithmetic and the seven new-window places.
#include "app/main_layout.h"
#include "popup/secondary_layout.h"
#include "popup/window_slots.h"
#include "support/temp_home.h"

namespace torvi {
namespace {

using Places = std::vector<float>;

Places placesOf(const MainLayout &l)
{
    return {l.image2Left,        l.list1Left,       l.webBrowser1Left,  l.webBrowser1Width,
            l.webBrowser1Height, l.listDangerWidth, l.listDangerHeight, l.webBrowser2Width,
            l.webBrowser2Height, l.image1Left,      l.text1Width};
}

Places placesOf(const SecondaryLayout &l)
{
    return {l.picture1Left, l.picture1Width, l.engineLeft, l.engineWidth,
            l.engineHeight, l.image1Left,    l.txtUrlWidth};
}

// Each resize comes after one to a roomy size (12000 x 9000, 15000 x 11000). A step that would
// give a negative width or height ends the resize there, the earlier steps staying done and
// the later ones keeping the roomy size's figures.
TEST(LayoutTest, StartUpResizesThatStopAtTheFirstNegativeSizeAndSevenNewWindowPlaces)
{
    const test::Row<std::pair<float, float>, Places> mainRows[] = {
        {"too low for the page",
         {14000, 1500},
         {12965, 11525, 100, 13700, 7285, 11640, 7285, 11640, 7285, 10395, 4955}},
        {"too narrow for the address box",
         {6000, 9000},
         {4965, 3525, 100, 5700, 7285, 5640, 7285, 5640, 7285, 4395, 4955}},
        {"just wide enough for it",
         {7045, 9000},
         {6010, 4570, 100, 6745, 7285, 6685, 7285, 6685, 7285, 5440, 0}},
    };
    for (const auto &r : mainRows) {
        MainLayout l;
        formResize(l, 12000, 9000);
        formResize(l, r.in.first, r.in.second);
        EXPECT_EQ(placesOf(l), r.out) << "main window, " << r.label;
    }
    const test::Row<std::pair<float, float>, Places> secondaryRows[] = {
        {"too low for the page", {12000, 1400}, {120, 11650, 100, 11700, 9525, 14205, 9785}},
        {"too narrow for the address box", {5000, 9000}, {120, 4650, 100, 4700, 7525, 4205, 9785}},
        {"just wide enough for it", {5215, 9000}, {120, 4865, 100, 4915, 7525, 4420, 0}},
        {"too narrow for the strip", {300, 9000}, {120, 14650, 100, 14700, 9525, 14205, 9785}},
    };
    for (const auto &r : secondaryRows) {
        SecondaryLayout l;
        adjustSecondaryLayout(l, 15000, 11000);
        adjustSecondaryLayout(l, r.in.first, r.in.second);
        EXPECT_EQ(placesOf(l), r.out) << "secondary window, " << r.label;
    }

    // At start-up the main page takes W - W/20 by H - H/20; a secondary window loses 15 % of
    // its height, its page keeping 90 % of what is left.
    MainLayout main;
    startupLayout(main, 12000, 9000);
    EXPECT_EQ(placesOf(main),
              (Places{15840, 14400, 120, 11400, 8550, 11400, 8550, 11400, 8550, 14280, 9015}));
    SecondaryLayout secondary;
    EXPECT_EQ(secondaryLoadLayout(secondary, 15000, 12000), 10200);
    EXPECT_EQ(placesOf(secondary), (Places{0, 18975, 0, 15000, 9180, 16680, 12375}));

    // New windows take slots 1 to 7 per run, never more, not even once the 16-bit counter
    // would wrap.
    WindowSlots slots;
    std::vector<int> taken;
    for (int i = 0; i < 70000; ++i)
        if (const auto slot = slots.take())
            taken.push_back(*slot);
    EXPECT_EQ(taken, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

} // namespace
} // namespace torvi
