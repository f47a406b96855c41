#include "services/RegionalFormat.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

// Runs a check with LC_ALL set to the C locale, whose formats are known.
class CLocaleScope {
  public:
    CLocaleScope() {
        if (const char* value = std::getenv("LC_ALL"))
            saved_ = value, hadValue_ = true;
        setenv("LC_ALL", "C", 1);
    }
    ~CLocaleScope() {
        if (hadValue_)
            setenv("LC_ALL", saved_.c_str(), 1);
        else
            unsetenv("LC_ALL");
    }

  private:
    std::string saved_;
    bool hadValue_ = false;
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

} // namespace
