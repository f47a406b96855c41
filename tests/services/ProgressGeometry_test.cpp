#include "services/ProgressGeometry.h"

#include <gtest/gtest.h>

namespace {

struct PositionRow {
    int32_t alignment;
    double width, height, textWidth, textHeight;
    double x, y;
};

TEST(ProgressGeometry, CaptionPositionPerAlignment) {
    const PositionRow rows[] = {
        {kAlignLeft, 100, 21, 40, 13, 2, 4},
        {kAlignCentre, 100, 21, 40, 13, 30, 4},
        {kAlignCentre, 100, 21, 41, 13, 29, 4},    // 59 halved toward zero
        {kAlignCentre, 100, 21, 40.5, 13, 30, 4},  // 59.5 rounds to even 60 -> 30
        {kAlignCentre, 100, 21, 41.5, 13, 29, 4},  // 58.5 rounds to even 58 -> 29
        {kAlignCentre, 10, 21, 40, 13, -15, 4},    // wider than the box: starts left of it
        {kAlignRight, 100, 21, 40.5, 13, 56.5, 4}, // not rounded
        {kAlignCentre, 100, 20, 40, 12.5, 30, 4},  // 7.5 rounds to 8 -> 4
        {kAlignCentre, 100, 20, 40, 13.5, 30, 3},  // 6.5 rounds to 6 -> 3
        {7, 100, 21, 40, 13, 0, 0},
        {-1, 100, 21, 40, 13, 0, 0},
    };
    for (const PositionRow& row : rows) {
        const CaptionSpot spot =
            CaptionPosition(row.alignment, row.width, row.height, row.textWidth, row.textHeight);
        EXPECT_DOUBLE_EQ(spot.x, row.x)
            << "alignment " << row.alignment << " text width " << row.textWidth;
        EXPECT_DOUBLE_EQ(spot.y, row.y) << "text height " << row.textHeight;
    }
}

TEST(ProgressGeometry, BarValueAboveTheMaximumDrawsNothing) {
    EXPECT_FALSE(BarValue(101, 100, 4000).has_value());
    EXPECT_EQ(BarValue(100, 100, 4000), 100);
    EXPECT_EQ(BarValue(0, 100, 4000), 0);
}

TEST(ProgressGeometry, BarValueIsHeldToThePreviousScaleWidth) {
    EXPECT_EQ(BarValue(250, 300, 100), 100) << "previous drawing had a maximum of 100";
    EXPECT_EQ(BarValue(250, 300, 100.5), 100) << "rounded half to even";
    EXPECT_EQ(BarValue(250, 300, 101.5), 102);
    EXPECT_EQ(BarValue(50, 300, 100), 50);
}

} // namespace
