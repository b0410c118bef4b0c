// Torvi tests: the main window's layout arithmetic.
#include "app/main_layout.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

TEST(MainLayoutTest, FiguresForATwelveThousandByNineThousandWindow)
{
    MainLayout l;
    formResize(l, 12000.0f, 9000.0f);
    EXPECT_FLOAT_EQ(l.image2Left, 10965);
    EXPECT_FLOAT_EQ(l.list1Left, 9525);
    EXPECT_FLOAT_EQ(l.webBrowser1Width, 11700);
    EXPECT_FLOAT_EQ(l.webBrowser1Height, 7285);
    EXPECT_FLOAT_EQ(l.listDangerWidth, 11640);
    EXPECT_FLOAT_EQ(l.listDangerHeight, 7285);
    EXPECT_FLOAT_EQ(l.webBrowser2Width, 11640);
    EXPECT_FLOAT_EQ(l.webBrowser2Height, 7285);
    EXPECT_FLOAT_EQ(l.image1Left, 10395);
    EXPECT_FLOAT_EQ(l.text1Width, 4955);
}

TEST(MainLayoutTest, AWindowTooLowStopsAtTheHeightAndKeepsTheRest)
{
    MainLayout l;
    formResize(l, 12000.0f, 9000.0f);
    const MainLayout before = l;
    formResize(l, 14000.0f, 1500.0f);
    EXPECT_FLOAT_EQ(l.image2Left, 12965) << "steps before the failing one stay done";
    EXPECT_FLOAT_EQ(l.list1Left, 11525);
    EXPECT_FLOAT_EQ(l.webBrowser1Width, 13700);
    EXPECT_FLOAT_EQ(l.webBrowser1Height, before.webBrowser1Height);
    EXPECT_FLOAT_EQ(l.listDangerWidth, before.listDangerWidth);
    EXPECT_FLOAT_EQ(l.image1Left, before.image1Left);
    EXPECT_FLOAT_EQ(l.text1Width, before.text1Width);
}

TEST(MainLayoutTest, NarrowWindowsStopAtTheirFirstNegativeWidth)
{
    MainLayout l;
    formResize(l, 12000.0f, 9000.0f);
    // Image1 lands left of the toolbar's end: the address box would be negative.
    formResize(l, 6000.0f, 9000.0f);
    EXPECT_FLOAT_EQ(l.image1Left, 4395);
    EXPECT_FLOAT_EQ(l.text1Width, 4955);

    // Narrower than the margin: negative left edges are accepted, the page keeps its width.
    formResize(l, 200.0f, 9000.0f);
    EXPECT_FLOAT_EQ(l.image2Left, -835);
    EXPECT_FLOAT_EQ(l.list1Left, -2275);
    EXPECT_FLOAT_EQ(l.webBrowser1Left, 100);
    EXPECT_FLOAT_EQ(l.webBrowser1Width, 5700);
}

TEST(MainLayoutTest, StartupSizesThePageFromTheOuterWindow)
{
    MainLayout l;
    startupLayout(l, 12000.0f, 9000.0f);
    EXPECT_FLOAT_EQ(l.webBrowser1Width, 11400);
    EXPECT_FLOAT_EQ(l.webBrowser1Height, 8550);
    EXPECT_FLOAT_EQ(l.listDangerWidth, 11400);
    EXPECT_FLOAT_EQ(l.webBrowser2Height, 8550);
}

} // namespace
} // namespace torvi
