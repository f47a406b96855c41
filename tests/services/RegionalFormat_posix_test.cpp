#include "services/Machine.h"
#include "services/RegionalFormat.h"
#include "support/Environment.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The C locale's formats are known; Windows has no such locale to choose.
class CLocaleScope {
    EnvironmentScope scope{"LC_ALL", "C"};
};

TEST(RegionalFormat, TheCLocaleWritesADecimalPoint) {
    CLocaleScope scope;
    EXPECT_EQ(RegionalDecimalText(0.1), "0.1");
    EXPECT_EQ(RegionalDecimalText(2.5), "2.5");
}

TEST(RegionalFormat, GeneralDateLeavesOutMidnight) {
    CLocaleScope scope;
    EXPECT_EQ(RegionalGeneralDate(2009, 11, 2, 14, 30, 58), "11/02/09 14:30:58");
    EXPECT_EQ(RegionalGeneralDate(2009, 11, 2, 0, 0, 0), "11/02/09");
}

TEST(RegionalFormat, TimeOfDayHasHoursMinutesAndSeconds) {
    CLocaleScope scope;
    const std::string time = RegionalTimeOfDay();
    ASSERT_EQ(time.size(), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
}

TEST(RegionalFormat, TheListSeparatorIsASemicolonWhereTheDecimalsAreParted) {
    {
        CLocaleScope scope;
        EXPECT_EQ(RealMachine().listSeparator, ",");
    }
    const EnvironmentScope french{"LC_ALL", "fr_FR.UTF-8"};
    if (RegionalDecimalSeparator() != ",")
        GTEST_SKIP() << "no French locale on this machine";
    EXPECT_EQ(RealMachine().listSeparator, ";");
}

} // namespace
