#include "FakeDialogs.h"
#include "UnzipArchive.h"
#include "app/ProgramState.h"
#include "frmUnZip.h"
#include "operations/UnzipHelpers.h"
#include "support/ZipWriter.h"

#include <QFrame>
#include <QLabel>
#include <gtest/gtest.h>
#include <thread>

namespace {

using Calls = std::vector<std::string>;

class frmUnZipTest : public ::testing::Test {
  protected:
    TempFolder folder;
    MachineScope machine{folder.Path()};
    Calls calls;
    FakeMessageBoxes boxes{calls};
    ProgramState program;
    std::string out = folder.MakeDir("out");

    std::string Archive(const ZipWriter& writer) {
        return folder.Write("loadscr.zip", writer.Build().bytes);
    }
    bool Unzip(const std::string& archive, bool hidden = true) {
        std::string destination = out;
        return UnzipArchive(program, archive, destination, hidden, boxes);
    }
};

TEST_F(frmUnZipTest, UnpackingTheSameArchiveTwiceKeepsTheFilesAndShowsNothing) {
    const std::string archive = Archive(ZipWriter().File("sub/Alpha.png", "alpha").File("b", "b"));
    EXPECT_TRUE(Unzip(archive, false));
    EXPECT_EQ(FileContent(out + "/sub/Alpha.png"), "alpha");
    folder.Write("out/sub/Alpha.png", "changed by the user");
    EXPECT_TRUE(Unzip(archive, false));
    EXPECT_EQ(FileContent(out + "/sub/Alpha.png"), "changed by the user");
    EXPECT_TRUE(calls.empty());
}

TEST_F(frmUnZipTest, AnEmptyDestinationExtractsIntoTheProgramFolder) {
    const std::string archive = Archive(ZipWriter().File("x.png", "x"));
    std::string destination;
    EXPECT_TRUE(UnzipArchive(program, archive, destination, true, boxes));
    EXPECT_EQ(destination, folder.Path());
    EXPECT_EQ(FileContent(folder.Sub("x.png")), "x");
}

TEST_F(frmUnZipTest, TheBarFollowsProgressAndOnlyTheTwoExactStatusTexts) {
    program.ZipArchivePath = Archive(ZipWriter().File("x.png", "x"));
    frmUnZip window(program, boxes);
    auto* bar = window.findChild<QFrame*>("Shape1");
    auto* label = window.findChild<QLabel*>("Label1");
    EXPECT_EQ(window.FullBarWidth, 209) << "Shape1 as laid out";
    EXPECT_EQ(bar->width(), 0);
    EXPECT_TRUE(label->text().isEmpty()) << "opening texts are cleared at load";

    bool cancel = false;
    window.MonZip_Progress(50, cancel);
    window.MonZip_Status("Extraction ...\\x.png");
    EXPECT_EQ(bar->width(), 0) << "shown at the next yield";
    std::this_thread::sleep_for(EventPacing::kInterval); // the opening's yield was the last
    window.MonZip->Yield();
    EXPECT_EQ(bar->width(), 104);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(label->text().toStdString(), "Extraction ...\\x.png");
    window.MonZip_Status("Extraction termin\u00e9e");
    EXPECT_EQ(bar->width(), 209);
    window.MonZip_Status("extraction termin\u00e9e");
    EXPECT_EQ(bar->width(), 209) << "letter case counts";
    window.MonZip_Status("D\u00e9but d'extraction");
    EXPECT_EQ(bar->width(), 0);
}

TEST_F(frmUnZipTest, AMissingArchiveShowsItsOpeningErrorTwiceThenNoOpenArchive) {
    const std::string missing = folder.Sub("loadscr.zip");
    EXPECT_FALSE(Unzip(missing));
    const std::string opening =
        "message(Critical): Erreur lors de l'extraction du Zip\r\nErreur 10 - Le fichier " +
        missing + " n'existe pas";
    EXPECT_EQ(calls, (Calls{opening, opening,
                            "message(Critical): Erreur lors de l'extraction du Zip\r\nErreur 3 - "
                            "Il n'y a pas de fichier Zip ouvert"}));
}

TEST_F(frmUnZipTest, ABrokenDirectoryIsShownAndGivesFalse) {
    ZipLayout layout = ZipWriter().File("a.png", "a").Build();
    PutU16(layout.bytes, layout.endRecordOffset + kEndTotalRecords, 9);
    EXPECT_FALSE(Unzip(folder.Write("loadscr.zip", layout.bytes)));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().rfind("message(Critical): Erreur lors de l'extraction du Zip", 0), 0u);
}

TEST_F(frmUnZipTest, ACorruptEntryIsReportedAndNotWritten) {
    ZipLayout layout = ZipWriter().File("bad.png", std::string(3000, 'q')).Build();
    layout.bytes[layout.localOffsets[0] + kLocalHeaderLength + 7 + 4] ^= 0x55;
    const std::string archive = folder.Write("loadscr.zip", layout.bytes);
    Unzip(archive);
    ASSERT_FALSE(calls.empty());
    EXPECT_NE(calls.back().find("Erreur 5 - Erreur de checksum dans "), std::string::npos)
        << calls.back();
    EXPECT_FALSE(std::filesystem::exists(out + "/bad.png"));
}

TEST_F(frmUnZipTest, AnEntryLeavingTheDestinationIsRefusedAndTheRestExtracted) {
    const std::string archive =
        Archive(ZipWriter().File("../escape.png", "evil").File("good.png", "good"));
    EXPECT_FALSE(Unzip(archive)); // an entry was left out
    EXPECT_FALSE(std::filesystem::exists(folder.Sub("escape.png")));
    EXPECT_EQ(FileContent(out + "/good.png"), "good");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].find("Erreur 14 - Le fichier ../escape.png sort du dossier"),
              std::string::npos)
        << calls[0];
}

TEST_F(frmUnZipTest, AnErrorLeavingTheEngineIsShownAndGivesFalse) {
    const std::string archive = Archive(ZipWriter().File("sub/x.png", "x"));
    folder.Write("out/sub", "a file where the folder should be");
    EXPECT_FALSE(Unzip(archive));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().rfind("message(Critical): Erreur lors de l'extraction du Zip", 0), 0u)
        << calls.back();
    EXPECT_NE(calls.back().find(out + "/sub"), std::string::npos) << "names what failed";
}

} // namespace
