#include "app/ProgramState.h"
#include "operations/UnzipHelpers.h"
#include "shell/frmUnZipLogic.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"
#include "support/ZipWriter.h"

#include <gtest/gtest.h>

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

  protected:
    void SetBarWidth(int32_t width) override { barWidth = width; }
    void SetStatusText(const std::string& text) override { status = text; }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void ShowWindow() override { shown = true; }
    void YieldToWindow() override {}
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
    EXPECT_EQ(window.barWidth, 150);
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

} // namespace
