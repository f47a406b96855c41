#include "services/LatestJobWorker.h"

#include <future>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(LatestJobWorkerTest, AJobOvertakenWhileItWaitsNeverRunsAndOnlyTheLatestTicketCounts) {
    std::promise<void> release;
    std::promise<void> started;
    std::shared_future<void> released = release.get_future().share();
    std::mutex mutex;
    std::vector<uint64_t> ran;
    std::promise<void> lastDone;
    LatestJobWorker worker;
    const uint64_t first = worker.Post([&](uint64_t ticket) {
        started.set_value();
        released.wait();
        std::lock_guard lock(mutex);
        ran.push_back(ticket);
    });
    started.get_future().wait(); // the first job runs: the next two wait
    const uint64_t second = worker.Post([&](uint64_t ticket) {
        std::lock_guard lock(mutex);
        ran.push_back(ticket);
    });
    const uint64_t third = worker.Post([&](uint64_t ticket) {
        {
            std::lock_guard lock(mutex);
            ran.push_back(ticket);
        }
        lastDone.set_value();
    });
    EXPECT_FALSE(worker.IsLatest(first));
    EXPECT_FALSE(worker.IsLatest(second));
    EXPECT_TRUE(worker.IsLatest(third));
    release.set_value();
    lastDone.get_future().wait();
    std::lock_guard lock(mutex);
    EXPECT_EQ(ran, (std::vector<uint64_t>{first, third}));
    worker.Forget();
    EXPECT_FALSE(worker.IsLatest(third)) << "a result that comes after the view forgot";
}

TEST(LatestJobWorkerTest,
     ForgettingDropsTheWaitingJobGoingAwayWaitsForTheRunningOneAndHooksRunOnTheThread) {
    std::thread::id started;
    std::thread::id ended;
    int runs = 0;
    std::promise<void> running;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    {
        LatestJobWorker worker([&] { started = std::this_thread::get_id(); },
                               [&] { ended = std::this_thread::get_id(); });
        worker.Post([&](uint64_t) {
            running.set_value();
            released.wait();
            ++runs;
        });
        running.get_future().wait();
        worker.Post([&](uint64_t) { ++runs; });
        worker.Forget(); // the view closes
        release.set_value();
    }
    EXPECT_EQ(runs, 1);
    EXPECT_NE(started, std::this_thread::get_id());
    EXPECT_EQ(started, ended);
    LatestJobWorker unused; // no job, no thread: goes at once
}

} // namespace
