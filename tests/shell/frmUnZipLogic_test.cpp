#include "app/ProgramState.h"
#include "operations/UnzipHelpers.h"
#include "services/PathText.h"
#include "shell/frmUnZipLogic.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"
#include "support/ZipWriter.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

// An unzip window that records what it would draw and show.
class RecordingUnzipWindow : public frmUnZipLogic {
  public:
    explicit RecordingUnzipWindow(ProgramState& program) : frmUnZipLogic(program) {
        Form_Load(300, LinkedZlib());
    }
    ~RecordingUnzipWindow() override { Form_Unload(); }

    int32_t barWidth = -1;
    std::string status = "unset";
    std::vector<std::string> errors;
    bool shown = false;
    int repaints = 0;

  protected:
    void SetBarWidth(int32_t width) override { barWidth = width; }
    void SetStatusText(const std::string& text) override { status = text; }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void ShowWindow() override { shown = true; }
    void YieldToWindow() override { ++repaints; }
};

TEST(frmUnZipLogic, BarAndLabelFollowTheEngineAndOnlyTheTwoExactStatusTexts) {
    TempFolder folder;
    MachineScope machine(folder.Path());
    std::string destination = folder.MakeDir("out");
    ProgramState program;
    PrepareUnzip(program, folder.Write("a.zip", ZipWriter().File("x.png", "x").Build().bytes),
                 destination);
    RecordingUnzipWindow window(program);
    EXPECT_EQ(window.barWidth, 0);
    EXPECT_EQ(window.status, "") << "opening texts cleared at load";
    bool cancel = false;
    window.MonZip_Progress(50, cancel);
    window.MonZip_Status("x.png");
    EXPECT_EQ(window.barWidth, 0) << "shown at the next yield";
    std::this_thread::sleep_for(EventPacing::kInterval); // the opening's yield was the last
    window.MonZip->Yield();
    EXPECT_EQ(window.barWidth, 150);
    EXPECT_EQ(window.status, "x.png");
    window.MonZip_Status("extraction termin\u00e9e");
    EXPECT_EQ(window.barWidth, 150) << "letter case counts";
    EXPECT_TRUE(window.ExtractAllShown(false));
    EXPECT_TRUE(window.shown);
    EXPECT_EQ(window.status, "Extraction termin\u00e9e");
    EXPECT_EQ(window.barWidth, 300);
    EXPECT_EQ(FileContent(folder.Sub("out/x.png")), "x");
    EXPECT_TRUE(window.errors.empty());
}

TEST(frmUnZipLogic, AMissingArchiveShowsItsErrorsAndGivesFalse) {
    TempFolder folder;
    MachineScope machine(folder.Path());
    std::string destination = folder.Path();
    ProgramState program;
    PrepareUnzip(program, folder.Sub("missing.zip"), destination);
    RecordingUnzipWindow window(program);
    EXPECT_FALSE(window.ExtractAllShown(true));
    EXPECT_FALSE(window.shown);
    ASSERT_EQ(window.errors.size(), 3u);
    EXPECT_EQ(
        window.errors[2],
        "Erreur lors de l'extraction du Zip\r\nErreur 3 - Il n'y a pas de fichier Zip ouvert");
}

TEST(frmUnZipLogic, QuickYieldsRepaintNowAndThenAndAYieldAfterAPauseRepaintsAgain) {
    using namespace std::chrono_literals;
    TempFolder folder;
    MachineScope machine(folder.Path());
    ProgramState program;
    std::string destination = folder.Path();
    PrepareUnzip(program, folder.Write("a.zip", ZipWriter().File("x", "x").Build().bytes),
                 destination);
    RecordingUnzipWindow window(program);
    const int beforeBurst = window.repaints;
    for (int i = 0; i < 1000; ++i)
        window.MonZip->Yield();
    EXPECT_LE(window.repaints - beforeBurst, 100) << "a repaint per entry costs more than them";

    const int beforeSteadyYields = window.repaints;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < 200ms) {
        window.MonZip->Yield();
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_GE(window.repaints - beforeSteadyYields, 2) << "yields that never pause still repaint";
    EXPECT_LE(window.repaints - beforeSteadyYields, 10) << "at most one repaint in 40 ms";

    for (int pause = 1; pause <= 2; ++pause) {
        const int beforePause = window.repaints;
        std::this_thread::sleep_for(60ms);
        window.MonZip->Yield();
        EXPECT_EQ(window.repaints, beforePause + 1) << "after pause " << pause;
    }
}

} // namespace

// A file where an entry's file must go ends every way of extracting with the
// engine's text under the window's heading; the count of entries is -1 then.
TEST(frmUnZipLogicFailures, AWriteThatFailsIsShownUnderTheHeadingAndGivesFailure) {
    TempFolder folder;
    MachineScope machine(folder.Path());
    std::string destination = folder.MakeDir("out");
    folder.MakeDir("out/x.png/in");
    ProgramState program;
    PrepareUnzip(program, folder.Write("a.zip", ZipWriter().File("x.png", "x").Build().bytes),
                 destination);
    program.ExtractSelector = ".png";
    RecordingUnzipWindow window(program);
    EXPECT_FALSE(window.zLib_ExtraireTout());
    EXPECT_EQ(window.zLib_ExtraireExtension(), -1);
    program.ExtractSelector = "x.png";
    EXPECT_FALSE(window.zLib_ExtraireUnFichier());
    const std::string shown = "Erreur lors de l'extraction du Zip\r\nImpossible d'\u00e9crire le "
                              "fichier " +
                              destination + kSeparator + "x.png";
    EXPECT_EQ(window.errors, std::vector<std::string>(3, shown));
}
