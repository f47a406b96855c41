#include "app/OperationGuard.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

TEST(OperationGuard, AnOperationStartedDuringAnotherDoesNotRun) {
    OperationGuard guard;
    std::vector<std::string> ran;
    bool nestedAccepted = true;
    const bool accepted = guard.Run([&] {
        ran.push_back("install");
        EXPECT_TRUE(guard.Busy());
        nestedAccepted = guard.Run([&] { ran.push_back("delete"); });
    });
    EXPECT_TRUE(accepted);
    EXPECT_FALSE(nestedAccepted);
    EXPECT_EQ(ran, std::vector<std::string>{"install"});
    EXPECT_FALSE(guard.Busy());
    EXPECT_TRUE(guard.Run([&] { ran.push_back("delete"); })) << "free again afterwards";
    EXPECT_EQ(ran.size(), 2u);
}

TEST(OperationGuard, CloseWaitsForTheRunningOperation) {
    OperationGuard guard;
    EXPECT_TRUE(guard.MayCloseNow()) << "idle: close at once";
    EXPECT_FALSE(guard.TakeDeferredClose());
    guard.Run([&] {
        EXPECT_FALSE(guard.MayCloseNow());
        EXPECT_FALSE(guard.TakeDeferredClose()) << "not while still running";
    });
    EXPECT_TRUE(guard.TakeDeferredClose());
    EXPECT_FALSE(guard.TakeDeferredClose()) << "handed back once";
}

TEST(OperationGuard, AFailingOperationLeavesTheGuardFree) {
    OperationGuard guard;
    EXPECT_THROW(guard.Run([] { throw std::runtime_error("disk gone"); }), std::runtime_error);
    EXPECT_FALSE(guard.Busy());
    EXPECT_TRUE(guard.Run({})) << "an empty operation runs as nothing";
}

} // namespace
