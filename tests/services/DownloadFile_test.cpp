#include "services/DownloadFile.h"
#include "services/FileUtils.h"
#include "services/HttpTransfer.h"
#include "support/DownloadScene.h"
#include "support/Environment.h"
#include "zip/ZipEndProbe.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using Names = std::vector<std::string>;

class DownloadFileTest : public ::testing::Test {
  protected:
    DownloadFileTest() { scene.options.acceptBody = HasZipEndRecord; }
    DownloadScene scene;
    int32_t Fetch(const std::string& url) {
        return DownloadFile(url, scene.target, "", true, 0, scene.options);
    }
    void ExpectOldArchiveKept() {
        EXPECT_EQ(FileContent(scene.target), scene.oldArchive);
        EXPECT_EQ(scene.ProgramFolderNames(), Names{"loadscr.zip"});
    }
};

TEST_F(DownloadFileTest, AnArchiveReplacesTheOldOneAndAsksForAFreshCopy) {
    EXPECT_EQ(Fetch(scene.server.Url("/loadscr.zip")), kDownloadSucceeded);
    EXPECT_EQ(FileContent(scene.target), scene.newArchive);
    EXPECT_EQ(scene.ProgramFolderNames(), Names{"loadscr.zip"});
    EXPECT_EQ(scene.server.LastHeader("Cache-Control"), "no-cache");

    EXPECT_EQ(Fetch(scene.server.Url("/moved.zip")), kDownloadSucceeded);
    EXPECT_EQ(scene.server.RequestCount(), 3);
}

int32_t Code(TransferFailure failure) {
    return TransferFailureCode(failure);
}

struct FailureRow {
    const char* path;
    int32_t code;
};

void PrintTo(const FailureRow& row, std::ostream* out) {
    *out << row.path << " -> " << row.code;
}

// "/missing.zip" names its test "missing".
std::string NameOf(const std::string& path) {
    return path.substr(1, path.find('.') - 1);
}

class DownloadFailureTest : public DownloadFileTest,
                            public ::testing::WithParamInterface<FailureRow> {};

TEST_P(DownloadFailureTest, FailsWithItsCodeAndLeavesTheOldArchive) {
    EXPECT_EQ(Fetch(scene.server.Url(GetParam().path)), GetParam().code);
    ExpectOldArchiveKept();
}

INSTANTIATE_TEST_SUITE_P(
    ServerAnswers, DownloadFailureTest,
    ::testing::Values(FailureRow{"/missing.zip", 404}, FailureRow{"/broken.zip", 500},
                      FailureRow{"/page.zip", kDownloadNotAnArchive},
                      FailureRow{"/short.zip", Code(TransferFailure::CutShort)},
                      FailureRow{"/stall.zip", Code(TransferFailure::TimedOut)},
                      FailureRow{"/silent.zip", Code(TransferFailure::TimedOut)},
                      FailureRow{"/loop.zip", Code(TransferFailure::TooManyRedirects)},
                      FailureRow{"/to_file.zip", Code(TransferFailure::UnsupportedScheme)}),
    [](const auto& info) { return NameOf(info.param.path); });

TEST_F(DownloadFileTest, ARedirectLoopEndsAfterTenRedirects) {
    Fetch(scene.server.Url("/loop.zip"));
    EXPECT_EQ(scene.server.RequestCount(), 1 + 10);
}

TEST_F(DownloadFileTest, ServersThatCannotBeReachedFailWithTheClientsCode) {
    // A refusal must come back before the connect timeout does, even on a
    // loaded machine, where Wine's round trips can take longer than the
    // shortened timeout.
    scene.options.connectTimeout = std::chrono::seconds(20);
    const ClosedPort closed;
    EXPECT_EQ(Fetch(closed.Url()), Code(TransferFailure::CannotConnect));
    ExpectOldArchiveKept();
    EXPECT_EQ(Fetch("file://" + scene.folder.Sub("elsewhere/loadscr.zip")),
              Code(TransferFailure::UnsupportedScheme));
    ExpectOldArchiveKept();
    EXPECT_EQ(Fetch(""), Code(TransferFailure::MalformedAddress)); // an emptied "URL" key
    ExpectOldArchiveKept();
}

TEST_F(DownloadFileTest, AServerThatNeverAcceptsTimesOutAtTheConnectTimeout) {
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine's WinINet waits out the system's own connect timeout (minutes)";
    scene.options.stallTimeout = std::chrono::seconds(30);
    const UnansweredPort silent;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Fetch(silent.Url()), Code(TransferFailure::TimedOut));
    EXPECT_LT(std::chrono::steady_clock::now() - start, scene.options.stallTimeout);
    ExpectOldArchiveKept();
}

TEST_F(DownloadFileTest, AnAnswerSlowerThanTheConnectTimeoutIsAwaitedOnceConnected) {
    scene.options.stallTimeout = std::chrono::seconds(5);
    EXPECT_EQ(Fetch(scene.server.Url("/late.zip")), kDownloadSucceeded);
}

TEST_F(DownloadFileTest, AMissingFolderIsCreatedOnlyWhenPreparationIsAsked) {
    const std::string url = scene.server.Url("/loadscr.zip");
    const std::string target = scene.folder.Sub("new/deeper/loadscr.zip");
    EXPECT_EQ(DownloadFile(url, target, "", false, 0, scene.options), kDownloadCannotWrite);
    EXPECT_FALSE(IsFolder(scene.folder.Sub("new")));
    EXPECT_EQ(scene.server.RequestCount(), 0);

    EXPECT_EQ(DownloadFile(url, target, "", true, 0, scene.options), kDownloadSucceeded);
    EXPECT_EQ(FileContent(target), scene.newArchive);
}

TEST_F(DownloadFileTest, AFolderThatCannotBePreparedGivesThreeWithoutATransfer) {
    const std::string blocker = scene.folder.Write("blocker", "a file, not a folder");
    const std::string url = scene.server.Url("/loadscr.zip");
    EXPECT_EQ(DownloadFile(url, blocker + "/loadscr.zip", "", true, 0, scene.options),
              kDownloadFolderNotPrepared);
    EXPECT_EQ(scene.server.RequestCount(), 0);
    EXPECT_EQ(FileContent(blocker), "a file, not a folder");
}

TEST_F(DownloadFileTest, ATargetThatIsAFolderIsNotReplaced) {
    const std::string folderTarget = scene.folder.MakeDir("program/Screens");
    EXPECT_EQ(
        DownloadFile(scene.server.Url("/loadscr.zip"), folderTarget, "", true, 0, scene.options),
        kDownloadCannotReplace);
    EXPECT_EQ(scene.ProgramFolderNames(), (Names{"Screens", "loadscr.zip"}));
}

TEST_F(DownloadFileTest, LeftoversOfEarlierDownloadsAreRemovedAndNothingElse) {
    for (const char* leftover : {"loadscr.zip.tmp-123-0", "loadscr.zip.tmp-99999-17"})
        scene.folder.Write(std::string("program/") + leftover, "cut short");
    const Names kept = {"loadscr.zip.tmp-",      "loadscr.zip.tmp-1-2.png", "loadscr.zip.tmp-7",
                        "loadscr.zip.tmp-7-7-7", "loadscr.zip.tmp-x-1",     "other.zip.tmp-1-1",
                        "loadscr.zip.tmp-5-",    "loadscr.zip.tmp--"};
    for (const std::string& name : kept)
        scene.folder.Write("program/" + name, "not ours");
    scene.folder.MakeDir("program/loadscr.zip.tmp-8-8");
    EXPECT_EQ(Fetch(scene.server.Url("/loadscr.zip")), kDownloadSucceeded);
    Names expected = kept;
    expected.insert(expected.begin(), "loadscr.zip");
    expected.push_back("loadscr.zip.tmp-8-8");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(scene.ProgramFolderNames(), expected);
}

TEST_F(DownloadFileTest, ProgressFollowsTheBytesAtMostEveryInterval) {
    struct Report {
        int64_t received, expected;
        std::chrono::steady_clock::time_point at;
    };
    std::vector<Report> reports;
    scene.options.progress = [&](int64_t received, int64_t expected) {
        reports.push_back({received, expected, std::chrono::steady_clock::now()});
    };
    ASSERT_EQ(Fetch(scene.server.Url("/slow.zip")), kDownloadSucceeded);
    ASSERT_FALSE(reports.empty());
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GE(reports[i].received, reports[i - 1].received);
        // The receiver notes the time a little after the transfer checked it.
        const auto slack = std::chrono::milliseconds(10);
        EXPECT_GE(reports[i].at - reports[i - 1].at, scene.options.progressInterval - slack);
    }
    EXPECT_EQ(reports.back().expected, static_cast<int64_t>(scene.newArchive.size()));
    EXPECT_LE(reports.back().received, reports.back().expected);
}

TEST_F(DownloadFileTest, AProgressReceiverThatThrowsStopsTheTransfer) {
    scene.options.progress = [](int64_t, int64_t) { throw std::runtime_error("window gone"); };
    EXPECT_EQ(Fetch(scene.server.Url("/slow.zip")), Code(TransferFailure::Stopped));
    ExpectOldArchiveKept();
}

} // namespace
