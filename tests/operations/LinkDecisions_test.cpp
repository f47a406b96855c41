#include "operations/LinkDecisions.h"
#include "support/LogLines.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

CoverageRow Proposed(const std::string& layout, const std::string& screen, NearRule rule) {
    CoverageRow row;
    row.layout = layout;
    row.proposal = NearProposal{screen, rule, 100};
    return row;
}

TEST(LinkDecisionsTest, ProposalsBecomeLinksOneByOneOrByRule) {
    ScreenLinks links;
    CoverageRow none;
    none.layout = "Alone";
    EXPECT_FALSE(AcceptProposal(links, none));
    CoverageListing listing;
    listing.rows = {Proposed("Sonic & Knuckles", "Sonic _ Knuckles", NearRule::ReservedCharacters),
                    Proposed("Pac-Man (USA)", "Pac-Man", NearRule::ShortName), none,
                    Proposed("Q*bert", "Q_bert", NearRule::ReservedCharacters)};
    const std::vector<CoverageRow>& rows = listing.rows;
    EXPECT_EQ(AcceptRule(links, listing, NearRule::ReservedCharacters), 2);
    EXPECT_EQ(links.ScreenOf("sonic & knuckles"), "Sonic _ Knuckles");
    EXPECT_FALSE(links.ScreenOf("Pac-Man (USA)").has_value());
    EXPECT_TRUE(AcceptProposal(links, rows[1]));
    EXPECT_EQ(links.ScreenOf("Pac-Man (USA)"), "Pac-Man");
}

// A rule accepted while the view still seeks proposals takes the later ones too.
TEST(LinkDecisionsTest, ARuleTakesTheProposalsNotSoughtYet) {
    CoverageListing listing;
    listing.rows = {Proposed("Sonic & Knuckles", "Sonic _ Knuckles", NearRule::ReservedCharacters),
                    Proposed("Q*bert", "", NearRule::ReservedCharacters)};
    listing.rows[1].proposal.reset();
    listing.rows[1].proposalSearch = CoverageRow::Search::Waiting;
    listing.screenNames = {"Sonic _ Knuckles", "Q_bert"};
    ScreenLinks links;
    EXPECT_EQ(AcceptRule(links, listing, NearRule::ReservedCharacters), 2);
    EXPECT_EQ(links.ScreenOf("Q*bert"), "Q_bert");
}

TEST(LinkDecisionsTest, APickedScreenIsLinkedOnlyFromTheScreensFolderAsSpeltThere) {
    TempFolder folder;
    const std::string screens = folder.MakeDir("screens") + kSeparator;
    folder.Write("screens/Street Fighter.PNG", "s");
    folder.Write("screens/notes.txt", "t");
    folder.Write("elsewhere/Other.png", "o");
    ScreenLinks links;
    EXPECT_EQ(LinkPickedScreen(links, "SF", folder.Sub("elsewhere/Other.png"), screens),
              PickedScreen::OutsideScreensFolder);
    EXPECT_EQ(LinkPickedScreen(links, "SF", folder.Sub("screens/../elsewhere/Other.png"), screens),
              PickedScreen::OutsideScreensFolder);
    EXPECT_EQ(LinkPickedScreen(links, "SF", folder.Write("screens/sub/In.png", "i"), screens),
              PickedScreen::OutsideScreensFolder)
        << "the install looks in the folder itself only";
    EXPECT_EQ(LinkPickedScreen(links, "SF", folder.Sub("screens/notes.txt"), screens),
              PickedScreen::NotAPngFile);
    EXPECT_EQ(links.Count(), 0u);
    EXPECT_EQ(LinkPickedScreen(links, "SF", folder.Sub("screens/Street Fighter.PNG"), screens),
              PickedScreen::Linked);
    EXPECT_EQ(links.ScreenOf("SF"), "Street Fighter");
}

TEST(LinkDecisionsTest, TheLinksFileIsChangedThroughTheSeamAndAFailureKeepsItAsItWas) {
    TempFolder folder;
    MachineScope machine{folder.Path()};
    ProgramState program;
    const std::string path = ScreenLinksPath(program.machine);
    EXPECT_EQ(path, folder.Sub(kScreenLinksFileName));
    EXPECT_EQ(ReadScreenLinks(path).Count(), 0u) << "no file, no links";

    ASSERT_TRUE(ChangeScreenLinks(program, [](ScreenLinks& links) { links.Link("A", "B"); }));
    ASSERT_TRUE(ChangeScreenLinks(program, [](ScreenLinks& links) { links.Link("C", ""); }));
    const ScreenLinks read = ReadScreenLinks(path);
    EXPECT_EQ(read.Count(), 2u);
    EXPECT_EQ(read.ScreenOf("A"), "B");

    // A folder where the file should be: nothing is written, the log says why.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(ChangeScreenLinks(program, [](ScreenLinks& links) { links.Link("D", "E"); }));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    const std::vector<std::string> log = LogLinesOf(folder.Sub("OrvanePatchLayouts.log.txt"));
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find(kScreenLinksFileName), std::string::npos);

    // A file beyond the bound (sparse: no disk taken) is neither read whole
    // nor rewritten.
    std::filesystem::remove(path);
    { std::ofstream(path) << "A,B\r\n"; }
    std::filesystem::resize_file(path, kMaxScreenLinksBytes + 1);
    EXPECT_EQ(ReadScreenLinks(path).Count(), 0u);
    EXPECT_FALSE(ChangeScreenLinks(program, [](ScreenLinks& links) { links.Link("D", "E"); }));
    EXPECT_EQ(std::filesystem::file_size(path), kMaxScreenLinksBytes + 1);
}

} // namespace
