#include "app/ProgramInfo.h"
#include "app/ProgramState.h"
#include "app/Settings.h"
#include "operations/DownloadScreens.h"
#include "services/ProfileFile.h"
#include "support/DownloadScene.h"
#include "support/FakeWindow.h"
#include "support/MachineScope.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// The window calls with the bar drawings made while the bytes arrived (the
// ones between the hourglass turning on and off) left out.
Lines WithoutTransferDrawings(const Lines& calls) {
    Lines kept;
    bool transferring = false;
    for (const std::string& call : calls) {
        if (call == "hourglass: on" || call == "hourglass: off")
            transferring = call == "hourglass: on";
        else if (transferring && call.rfind("draw: ", 0) == 0)
            continue;
        kept.push_back(call);
    }
    return kept;
}

Lines TransferDrawings(const Lines& calls) {
    Lines drawings;
    for (const std::string& call : calls)
        if (call.rfind("draw: ", 0) == 0)
            drawings.push_back(call);
    drawings.erase(drawings.begin()); // the 0 % drawn before the transfer
    return drawings;
}

class DownloadScreensTest : public ::testing::Test {
  protected:
    DownloadScene scene;
    MachineScope machine{scene.programFolder};
    FakeWindow window;
    ProgramState program;

    void SetUp() override { ApplyLanguage(program, 0); }

    std::string UseAddress(const std::string& url) {
        WriteSetting(kKeyUrl, url);
        return url;
    }
    std::string Log() const {
        return FileContent(scene.programFolder + "/OrvanePatchLayouts.log.txt");
    }
    static Lines Succeeded() {
        return {"progress: shown", "draw: 0/100 Downloading... 0%",  "hourglass: on",
                "hourglass: off",  "message(Information): Finished", "progress: hidden"};
    }
    static Lines Failed(const std::string& message, const std::string& finished) {
        return {"progress: shown",
                "draw: 0/100 Downloading... 0%",
                "hourglass: on",
                "hourglass: off",
                "message(Exclamation): " + message,
                "hourglass: off",
                "message(Information): " + finished,
                "progress: hidden"};
    }
};

TEST_F(DownloadScreensTest, ASuccessReplacesTheArchiveAndTouchesNothingElse) {
    const std::string url = UseAddress(scene.server.Url("/loadscr.zip"));
    const std::string screen = scene.folder.Write("program/Screens/Pacman.png", "old screen");
    DownloadScreens(window, program, scene.options);
    EXPECT_EQ(Log(), " \r\nTry to download " + url + "\r\n");
    EXPECT_EQ(WithoutTransferDrawings(window.calls), Succeeded());
    EXPECT_EQ(FileContent(scene.target), scene.newArchive);
    EXPECT_EQ(FileContent(screen), "old screen");
}

class DownloadScreensFailureTest : public DownloadScreensTest,
                                   public ::testing::WithParamInterface<const char*> {};

TEST_P(DownloadScreensFailureTest, TellsTheUserAndKeepsTheOldArchive) {
    const std::string url = UseAddress(scene.server.Url(GetParam()));
    DownloadScreens(window, program, scene.options);
    EXPECT_EQ(Log(), " \r\nTry to download " + url + "\r\nCan't download !\r\n");
    EXPECT_EQ(WithoutTransferDrawings(window.calls),
              Failed("Impossible to download\r\n" + url, "Finished"));
    EXPECT_EQ(FileContent(scene.target), scene.oldArchive);
    EXPECT_EQ(scene.ProgramFolderNames(),
              (Lines{"OrvanePatchLayouts.ini", "OrvanePatchLayouts.log.txt", "loadscr.zip"}));
}

INSTANTIATE_TEST_SUITE_P(ServerAnswers, DownloadScreensFailureTest,
                         ::testing::Values("/missing.zip", "/broken.zip", "/page.zip", "/short.zip",
                                           "/stall.zip", "/loop.zip", "/to_file.zip"),
                         [](const auto& info) {
                             const std::string path = info.param;
                             return path.substr(1, path.find('.') - 1);
                         });

TEST_F(DownloadScreensTest, AnUnreachableServerFailsInTheCurrentLanguage) {
    ApplyLanguage(program, 1);
    const ClosedPort closed;
    const std::string url = UseAddress(closed.Url());
    DownloadScreens(window, program, scene.options);
    EXPECT_EQ(Log(), " \r\nTry to download " + url + "\r\nCan't download !\r\n");
    EXPECT_EQ(WithoutTransferDrawings(window.calls),
              Failed("Impossible de downloader\r\n" + url, "Termin\u00e9"));
    EXPECT_EQ(FileContent(scene.target), scene.oldArchive);
}

TEST_F(DownloadScreensTest, WithoutAnAddressInTheSettingsTheBuiltInOneIsUsed) {
    const std::string builtIn = kDefaultArchiveUrl;
    if (builtIn.rfind("http://", 0) != 0)
        GTEST_SKIP() << "the local server speaks plain http only";
    scene.options.connectTo = scene.server.HostAndPort(); // never the real host
    DownloadScreens(window, program, scene.options);
    EXPECT_EQ(Log(), " \r\nTry to download " + builtIn + "\r\n");
    const std::string host = builtIn.substr(7, builtIn.find('/', 7) - 7);
    EXPECT_EQ(scene.server.LastHeader("Host"), host);
    EXPECT_EQ(FileContent(scene.target), scene.newArchive);
}

TEST_F(DownloadScreensTest, AnAddressEditedInTheSettingsCountsAtTheNextClick) {
    UseAddress(scene.server.Url("/missing.zip"));
    DownloadScreens(window, program, scene.options);
    const std::string url = UseAddress(scene.server.Url("/moved.zip"));
    DownloadScreens(window, program, scene.options);
    EXPECT_EQ(FileContent(scene.target), scene.newArchive);
    EXPECT_TRUE(Log().ends_with("Can't download !\r\n \r\nTry to download " + url + "\r\n"));
}

TEST_F(DownloadScreensTest, TheBarFollowsTheBytesWhenTheLengthIsKnown) {
    UseAddress(scene.server.Url("/slow.zip"));
    DownloadScreens(window, program, scene.options);
    const Lines drawings = TransferDrawings(window.calls);
    ASSERT_FALSE(drawings.empty());
    int previous = 0;
    for (const std::string& drawing : drawings) {
        int value = -1, maximum = -1;
        ASSERT_EQ(std::sscanf(drawing.c_str(), "draw: %d/%d Downloading...", &value, &maximum), 2)
            << drawing;
        EXPECT_EQ(maximum, 100);
        EXPECT_GE(value, previous);
        EXPECT_LE(value, 100);
        previous = value;
    }
    EXPECT_EQ(FileContent(scene.target), scene.newArchive);
}

TEST_F(DownloadScreensTest, WithoutALengthTheWindowStillRepaints) {
    UseAddress(scene.server.Url("/chunked.zip"));
    DownloadScreens(window, program, scene.options);
    EXPECT_TRUE(TransferDrawings(window.calls).empty());
    const int beforeTransfer = 2; // the 0 % drawing and the yield after the hourglass
    EXPECT_GT(window.yields, beforeTransfer);
    EXPECT_EQ(FileContent(scene.target), scene.newArchive);
}

TEST_F(DownloadScreensTest, AClickDuringTheTransferDoesNothing) {
    const std::string url = UseAddress(scene.server.Url("/slow.zip"));
    window.onYield = [this] { DownloadScreens(window, program, scene.options); };
    DownloadScreens(window, program, scene.options);
    EXPECT_EQ(Log(), " \r\nTry to download " + url + "\r\n");
    EXPECT_EQ(window.CallsStartingWith("progress: shown").size(), 1u);
    EXPECT_EQ(scene.server.RequestCount(), 1);
}

} // namespace
