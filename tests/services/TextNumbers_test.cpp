#include "services/ProgressCaption.h"
#include "services/TextNumbers.h"

#include <gtest/gtest.h>

namespace {

TEST(TextNumbers, LeadingNumberReadsTheNumericStartOfAText) {
    EXPECT_EQ(LeadingNumber("1"), 1.0);
    EXPECT_EQ(LeadingNumber("  -1"), -1.0);
    EXPECT_EQ(LeadingNumber("2.5abc"), 2.5);
    EXPECT_EQ(LeadingNumber("1e2"), 100.0);
    EXPECT_EQ(LeadingNumber("1e"), 1.0);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("-"), 0.0);
    EXPECT_EQ(LeadingNumber("1e999"), 0.0);
}

TEST(TextNumbers, RoundingSendsHalvesToTheEvenNeighbourAndClamps) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(1e12), 2147483647);
    EXPECT_EQ(SettingNumber("2.5"), 2);
}

TEST(ProgressCaption, AppendsTheRoundedPercentage) {
    EXPECT_EQ(ProgressCaption(0, 100, "Downloading..."), "Downloading... 0%");
    EXPECT_EQ(ProgressCaption(2, 5, "Copying..."), "Copying... 40%");
    EXPECT_EQ(ProgressCaption(1, 8, "Copying..."), "Copying... 12%"); // 12.5
    EXPECT_EQ(ProgressCaption(3, 8, "Copying..."), "Copying... 38%"); // 37.5
    EXPECT_EQ(ProgressCaption(150, 100, "x"), "x 150%");
}

} // namespace
