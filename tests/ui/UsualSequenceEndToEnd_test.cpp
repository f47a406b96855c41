#include "FakeDialogs.h"
#include "app/Startup.h"
#include "services/SingleInstance.h"
#include "support/LogLines.h"
#include "support/ZipWriter.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A downloaded archive and no screens folder: accept the offer to unzip at
// start, install, close the window and accept the clean-up.
TEST(UsualSequence, StartUnzipInstallCloseAndCleanUp) {
    WindowBench bench;
    const std::string program = bench.folder.Path();
    const std::string layouts = bench.folder.MakeDir("layouts") + "/";
    const std::string screens = program + "/Screens";
    bench.folder.MakeDir("layouts/Alpha");
    bench.folder.MakeDir("layouts/Gamma");
    bench.folder.Write("layouts/readme.txt", "not a layout");
    const std::string archive =
        bench.folder.Write("loadscr.zip", ZipWriter()
                                              .File("Alpha.png", "alpha screen")
                                              .File("Beta.png", "beta screen")
                                              .Build()
                                              .bytes);
    bench.StoreSettings("LayoutsPath=" + layouts + "\r\nSourcePath=" + screens +
                        "/\r\nURL=http://127.0.0.1/loadscr.zip\r\n");

    SingleInstanceLock lock;
    ASSERT_TRUE(StartUp(lock, bench.program));
    bench.answersAtOpen = {true};
    Form1& form = bench.Open(DefaultOperations());
    EXPECT_EQ(FileContent(screens + "/Alpha.png"), "alpha screen");
    EXPECT_EQ(FileContent(screens + "/Beta.png"), "beta screen");

    QTest::mouseClick(bench.Find<QPushButton>("Command3"), Qt::LeftButton);
    EXPECT_EQ(FileContent(layouts + "Alpha/loading.png"), "alpha screen");
    EXPECT_FALSE(std::filesystem::exists(layouts + "Gamma/loading.png"));

    bench.boxes->answers = {true};
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(std::filesystem::exists(screens));
    EXPECT_EQ(FileContent(archive).substr(0, 2), "PK") << "the archive stays";
    EXPECT_EQ(FileContent(layouts + "Alpha/loading.png"), "alpha screen");

    EXPECT_EQ(
        bench.calls,
        (std::vector<std::string>{
            "ask: Do you want to unzip the loading screens ?", "message(Information): 1 copies.",
            "ask: The files previously unzipped in the patch are now of no use.\r\n"
            "Do you want to delete them ?\r\n" +
                screens}));
    const std::string time = MachineScope::kTime;
    EXPECT_EQ(
        LogLinesOf(program + "/OrvanePatchLayouts.log.txt"),
        (std::vector<std::string>{time + " Start", " ", time + " Install loading screens",
                                  " LayoutsPath =" + layouts, " SourcePath  =" + screens + "/",
                                  " Overwrite   =0", " UseDefault  =0", "  Alpha  Ok (not a PNG)",
                                  "Total: 1 copies.", "Deleted : " + screens, time + " END"}));
    EXPECT_EQ(bench.Settings(), "[OrvanePatchLayouts]\r\nLayoutsPath=" + layouts +
                                    "\r\nSourcePath=" + screens +
                                    "/\r\nURL=http://127.0.0.1/loadscr.zip\r\nOverWrite=0\r\n"
                                    "UseDefault=0\r\nLanguage=0\r\n");
}

} // namespace

namespace {

// The clean-up question belongs to a run that installed: without an install
// the window closes silently, and after one it closes whatever the answer.
TEST(UsualSequence, CleanUpIsOfferedOnlyAfterAnInstallAndNeverHoldsTheClose) {
    for (const bool installed : {false, true}) {
        WindowBench bench;
        bench.folder.MakeDir("layouts");
        bench.folder.Write("Screens/Alpha.png", "alpha");
        Form1& form = bench.Open(DefaultOperations());
        if (installed)
            QTest::mouseClick(bench.Find<QPushButton>("Command3"), Qt::LeftButton);
        bench.boxes->answers = {false};
        form.show();
        form.close();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(FileContent(bench.folder.Sub("Screens/Alpha.png")), "alpha");
        EXPECT_EQ(bench.calls.empty(), !installed);
        if (installed) {
            EXPECT_EQ(bench.calls.back().rfind("ask: The files previously unzipped", 0), 0u);
        }
    }
}

} // namespace
