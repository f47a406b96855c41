#include "services/EventPacing.h"

#include <gtest/gtest.h>

namespace {

TEST(EventPacing, AnswersAtTheFirstCallThenOncePerInterval) {
    EventPacing::Clock::time_point now{};
    EventPacing pacing([&] { return now; });
    EXPECT_TRUE(pacing.Due());
    now += EventPacing::kInterval - std::chrono::milliseconds(1);
    EXPECT_FALSE(pacing.Due());
    now += std::chrono::milliseconds(1);
    EXPECT_TRUE(pacing.Due()) << "a whole interval since the last yes";
    now += EventPacing::kInterval - std::chrono::milliseconds(1);
    EXPECT_FALSE(pacing.Due()) << "counted from the last yes, not from the first call";
}

} // namespace
