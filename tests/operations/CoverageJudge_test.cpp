#include "operations/CoverageJudge.h"
#include "support/PictureBytes.h"
#include "support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <thread>

namespace {

// What the judge delivered, waited for without sleeping.
struct Deliveries {
    std::mutex mutex;
    std::condition_variable arrived;
    std::map<uint64_t, CoverageFindings> byGeneration;
    std::vector<CoverageFindings> batchesInOrder;
    size_t batches = 0;

    CoverageJudge::Delivery Sink() {
        return [this](uint64_t generation, CoverageFindings batch) {
            const std::lock_guard lock(mutex);
            CoverageFindings& found = byGeneration[generation];
            found.proposals.insert(found.proposals.end(), batch.proposals.begin(),
                                   batch.proposals.end());
            found.pictures.insert(found.pictures.end(), batch.pictures.begin(),
                                  batch.pictures.end());
            batchesInOrder.push_back(batch);
            ++batches;
            arrived.notify_all();
        };
    }
    bool WaitFor(uint64_t generation, size_t count) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(30), [&] {
            const CoverageFindings& found = byGeneration[generation];
            return found.proposals.size() + found.pictures.size() >= count;
        });
    }
};

CoverageListing RowsOf(const std::vector<std::string>& paths) {
    CoverageListing listing;
    listing.rows.resize(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        listing.rows[i].screenPath = paths[i];
    return listing;
}

TEST(CoverageJudgeTest, EveryScreenIsJudgedInBatchesAndANewListingReplacesTheOlder) {
    TempFolder folder;
    const std::string png = folder.Write("a.png", Png(32, 24));
    const std::string empty = folder.Write("empty.png", "");
    std::vector<std::string> paths(200, png);
    paths[7] = empty;
    paths[9] = ""; // a row without a screen is not judged

    Deliveries got;
    CoverageJudge judge(got.Sink());
    const uint64_t first = judge.Judge(RowsOf(paths));
    ASSERT_TRUE(got.WaitFor(first, paths.size() - 1));
    std::vector<CoverageRow> rows = RowsOf(paths).rows;
    {
        const std::lock_guard lock(got.mutex);
        EXPECT_GE(got.batches, 3u) << "batches of at most 64";
        ApplyFindings(rows, got.byGeneration[first]);
    }
    EXPECT_EQ(rows[0].picture->kind, ScreenPicture::Png);
    EXPECT_EQ(rows[199].picture->size.width, 32u);
    EXPECT_EQ(rows[7].picture->kind, ScreenPicture::Empty);
    EXPECT_FALSE(rows[9].picture.has_value());

    const uint64_t second = judge.Judge(RowsOf({empty}));
    EXPECT_FALSE(judge.IsLatest(first));
    EXPECT_TRUE(judge.IsLatest(second));
    ASSERT_TRUE(got.WaitFor(second, 1));
    const std::lock_guard lock(got.mutex);
    EXPECT_EQ(got.byGeneration[second].pictures.size(), 1u);
    EXPECT_EQ(got.byGeneration[first].pictures.size(), paths.size() - 1)
        << "nothing late of the first";
}

// The rows waiting for a proposal get their answer, a proposal or none,
// before any picture is judged; the others are not sought.
TEST(CoverageJudgeTest, ProposalsAreSoughtFirstForTheRowsThatWaitForOne) {
    TempFolder folder;
    std::vector<std::string> paths(100, folder.Write("a.png", Png(8, 8)));
    paths[0] = paths[1] = paths[2] = "";
    CoverageListing listing = RowsOf(paths);
    listing.screenNames = {"Sonic _ Knuckles", "Pac-Man"};
    listing.rows[0].layout = "Sonic & Knuckles";
    listing.rows[1].layout = "Galaga";
    listing.rows[2].layout = "Pac-Man (USA)";
    listing.rows[0].proposalSearch = listing.rows[1].proposalSearch = CoverageRow::Search::Waiting;

    Deliveries got;
    CoverageJudge judge(got.Sink());
    const uint64_t generation = judge.Judge(listing);
    ASSERT_TRUE(got.WaitFor(generation, 2 + 97));
    const std::lock_guard lock(got.mutex);
    EXPECT_EQ(got.batchesInOrder.front().proposals.size(), 2u);
    ApplyFindings(listing.rows, got.byGeneration[generation]);
    ASSERT_TRUE(listing.rows[0].proposal.has_value());
    EXPECT_EQ(listing.rows[0].proposal->screen, "Sonic _ Knuckles");
    EXPECT_FALSE(listing.rows[1].proposal.has_value());
    EXPECT_FALSE(ProposalPending(listing.rows[0]) || ProposalPending(listing.rows[1]));
    EXPECT_FALSE(listing.rows[2].proposal.has_value()) << "a row that waits for none";
}

// The first batch holds the judge's thread until the window closes it: the
// thread then stops before its next picture.
TEST(CoverageJudgeTest, TheDestructorStopsALongJobBetweenTwoPictures) {
    TempFolder folder;
    std::vector<std::string> paths;
    for (int i = 0; i < 1000; ++i)
        paths.push_back(folder.Write(std::to_string(i) + ".png", Png(8, 8)));
    std::atomic<CoverageJudge*> running{nullptr};
    std::atomic<size_t> delivered{0};
    std::atomic<int> batches{0};
    auto judge = std::make_unique<CoverageJudge>([&](uint64_t generation, auto batch) {
        delivered += batch.pictures.size();
        if (batches++ > 0)
            return;
        while (running.load()->IsLatest(generation))
            std::this_thread::yield();
    });
    running = judge.get();
    judge->Judge(RowsOf(paths));
    while (batches == 0)
        std::this_thread::yield();
    judge.reset();
    EXPECT_EQ(batches, 1);
    EXPECT_LE(delivered, 64u);
}

} // namespace
