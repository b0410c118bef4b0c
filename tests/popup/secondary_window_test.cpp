// Torvi tests: the secondary window's layout arithmetic and the seven new-window places.
#include "popup/secondary_layout.h"
#include "popup/window_slots.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

TEST(SecondaryLayoutTest, FiguresForAWideWindow)
{
    SecondaryLayout layout;
    ASSERT_EQ(adjustSecondaryLayout(layout, 15000.0f, 11000.0f), 7);
    EXPECT_FLOAT_EQ(layout.picture1Left, 120);
    EXPECT_FLOAT_EQ(layout.picture1Width, 14650);
    EXPECT_FLOAT_EQ(layout.engineLeft, 100);
    EXPECT_FLOAT_EQ(layout.engineWidth, 14700);
    EXPECT_FLOAT_EQ(layout.engineHeight, 9525);
    EXPECT_FLOAT_EQ(layout.image1Left, 14205);
    EXPECT_FLOAT_EQ(layout.txtUrlWidth, 9785);
}

TEST(SecondaryLayoutTest, AWindowTooLowStopsAtTheEngineHeight)
{
    SecondaryLayout layout;
    ASSERT_EQ(adjustSecondaryLayout(layout, 15000.0f, 11000.0f), 7);
    const SecondaryLayout before = layout;
    EXPECT_EQ(adjustSecondaryLayout(layout, 12000.0f, 1400.0f), 4);
    EXPECT_FLOAT_EQ(layout.engineWidth, 11700) << "steps before the failing one stay done";
    EXPECT_FLOAT_EQ(layout.picture1Width, 11650);
    EXPECT_FLOAT_EQ(layout.engineHeight, before.engineHeight);
    EXPECT_FLOAT_EQ(layout.image1Left, before.image1Left) << "the logo keeps its place";
    EXPECT_FLOAT_EQ(layout.txtUrlWidth, before.txtUrlWidth) << "the address box keeps its width";
}

TEST(SecondaryLayoutTest, NarrowWindowsStopAtTheirFirstNegativeWidth)
{
    struct Case
    {
        const char *label;
        float width;
        int steps;
    };
    for (const auto &c : {Case{"too narrow for the strip", 300.0f, 1},
                          Case{"too narrow for the address box", 5000.0f, 6},
                          Case{"just wide enough", 5215.0f, 7}}) {
        SecondaryLayout layout;
        EXPECT_EQ(adjustSecondaryLayout(layout, c.width, 9000.0f), c.steps) << c.label;
    }
}

TEST(SecondaryLayoutTest, LoadTakesFifteenPercentOffTheHeight)
{
    SecondaryLayout layout;
    const float height = secondaryLoadLayout(layout, 15000.0f, 12000.0f);
    EXPECT_FLOAT_EQ(height, 10200);
    EXPECT_FLOAT_EQ(layout.engineWidth, 15000);
    EXPECT_FLOAT_EQ(layout.engineHeight, 9180);
}

TEST(WindowSlotsTest, SevenPlacesPerRunAndNeverMore)
{
    WindowSlots slots;
    for (int expected = 1; expected <= 7; ++expected)
        EXPECT_EQ(slots.take(), expected);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(slots.take(), std::nullopt);
    EXPECT_EQ(slots.counter(), 107) << "a refused call still counts";
}

TEST(WindowSlotsTest, CounterStopsAtItsSixteenBitLimitWithoutWrapping)
{
    WindowSlots slots;
    for (int i = 0; i < 40000; ++i)
        (void)slots.take();
    EXPECT_EQ(slots.counter(), 32767);
    EXPECT_EQ(slots.take(), std::nullopt);
}

} // namespace
} // namespace torvi
