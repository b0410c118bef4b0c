// Torvi tests: the secondary window's layout arithmetic and the seven new-window places.
#include "popup/secondary_layout.h"
#include "popup/window_slots.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

TEST(SecondaryLayoutTest, FiguresForAWideWindow)
{
    SecondaryLayout layout;
    adjustSecondaryLayout(layout, 15000.0f, 11000.0f);
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
    adjustSecondaryLayout(layout, 15000.0f, 11000.0f);
    const SecondaryLayout before = layout;
    adjustSecondaryLayout(layout, 12000.0f, 1400.0f);
    EXPECT_FLOAT_EQ(layout.engineWidth, 11700) << "steps before the failing one stay done";
    EXPECT_FLOAT_EQ(layout.picture1Width, 11650);
    EXPECT_FLOAT_EQ(layout.engineHeight, before.engineHeight);
    EXPECT_FLOAT_EQ(layout.image1Left, before.image1Left) << "the logo keeps its place";
    EXPECT_FLOAT_EQ(layout.txtUrlWidth, before.txtUrlWidth) << "the address box keeps its width";
}

TEST(SecondaryLayoutTest, NarrowWindowsStopAtTheirFirstNegativeWidth)
{
    // A step that fails leaves its control, and every one after it, at the design place.
    const SecondaryLayout design;
    struct Case
    {
        const char *label;
        float width;
        float picture1Width;
        float engineHeight;
        float txtUrlWidth;
    };
    for (const auto &c :
         {Case{"too narrow for the strip", 300.0f, design.picture1Width, design.engineHeight,
               design.txtUrlWidth},
          Case{"too narrow for the address box", 5000.0f, 4650, 7525, design.txtUrlWidth},
          Case{"just wide enough", 5215.0f, 4865, 7525, 0}}) {
        SecondaryLayout layout;
        adjustSecondaryLayout(layout, c.width, 9000.0f);
        EXPECT_FLOAT_EQ(layout.picture1Width, c.picture1Width) << c.label;
        EXPECT_FLOAT_EQ(layout.engineHeight, c.engineHeight) << c.label;
        EXPECT_FLOAT_EQ(layout.txtUrlWidth, c.txtUrlWidth) << c.label;
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
}

TEST(WindowSlotsTest, CounterStopsAtItsSixteenBitLimitWithoutWrapping)
{
    // A counter that wrapped round would hand out slots again after 65536 calls.
    WindowSlots slots;
    for (int i = 0; i < 7; ++i)
        (void)slots.take();
    int handedOut = 0;
    for (int i = 0; i < 70000; ++i)
        handedOut += slots.take().has_value();
    EXPECT_EQ(handedOut, 0);
}

} // namespace
} // namespace torvi
