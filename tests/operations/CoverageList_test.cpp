#include "operations/CoverageCsv.h"
#include "operations/CoverageList.h"
#include "operations/InstallScreens.h"
#include "operations/LinkDecisions.h"
#include "services/PictureFile.h"
#include "support/HiddenEntry.h"
#include "support/OperationFixture.h"
#include "support/PictureBytes.h"
#include "support/UnreadableFile.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

class CoverageTest : public OperationFixture {
  protected:
    // One layout of each kind the install tells apart, the screens spelt
    // in another letter case where the system keeps both spellings apart.
    void MakeTree() {
        folder.Write("layouts/Pacman/readme.txt", "x");
        folder.Write("layouts/Galaga/loading.png", "own galaga");
        folder.Write("layouts/Tetris/loading.png", "own tetris");
        folder.MakeDir("layouts/Nothing here");
        folder.MakeDir("layouts/Asteroids");
        folder.Write("layouts/not a layout.png", "a plain file");
        folder.Write("screens/pacman.PNG", "screen pacman");
        folder.Write("screens/Galaga.png", "screen galaga");
        folder.Write("screens/Asteroids.png", "screen asteroids");
        folder.Write("screens/loading.png", "default screen");
    }
    std::string LoadingOf(const std::string& layout) const {
        return FileContent(layouts + kSep + layout + Native("/loading.png"));
    }
};

TEST_F(CoverageTest, TheViewAnnouncesWhatTheInstallDoesForEveryOptionPair) {
    MakeTree();
    MarkHidden(folder.MakeDir("layouts/.cache"));
    const fs::path pristine = fs::path(folder.Path()) / "pristine";
    fs::copy(layouts, pristine, fs::copy_options::recursive);
    for (int overwrite : {0, 1}) {
        for (int useDefault : {0, 1}) {
            SCOPED_TRACE("overwrite " + std::to_string(overwrite) + ", default " +
                         std::to_string(useDefault));
            fs::remove_all(layouts);
            fs::copy(pristine, layouts, fs::copy_options::recursive);
            window.overwriteState = overwrite;
            window.useDefaultState = useDefault;
            const std::vector<CoverageRow> rows = ListCoverageOf(window, program).value().rows;
            std::map<std::string, std::string> before;
            for (const CoverageRow& row : rows)
                before[row.layout] = LoadingOf(row.layout);
            InstallLoadingScreens(window, program, state);

            ASSERT_EQ(rows.size(), 5u) << "folders only, the hidden one left out";
            for (const CoverageRow& row : rows) {
                SCOPED_TRACE(row.layout);
                const std::string after = LoadingOf(row.layout);
                switch (row.action) {
                case ScreenAction::Copy:
                case ScreenAction::CopyDefault:
                    EXPECT_EQ(after, FileContent(row.screenPath));
                    EXPECT_FALSE(row.screen.empty());
                    break;
                case ScreenAction::Keep:
                    EXPECT_EQ(after, before[row.layout]);
                    EXPECT_NE(after, "<missing>");
                    break;
                case ScreenAction::Nothing:
                    EXPECT_EQ(after, "<missing>");
                    break;
                }
                EXPECT_EQ(row.hasLoadingPng, before[row.layout] != "<missing>");
            }
        }
    }
}

TEST_F(CoverageTest, RowsNameTheScreenAsSpeltOnDiskAndCountTheOutcomes) {
    MakeTree();
    window.useDefaultState = 1;
    std::map<std::string, CoverageRow> byName;
    const std::vector<CoverageRow> rows = ListCoverageOf(window, program).value().rows;
    for (const CoverageRow& row : rows)
        byName[row.layout] = row;
    EXPECT_EQ(byName["Pacman"].screen, "pacman.PNG");
    EXPECT_EQ(byName["Pacman"].action, ScreenAction::Copy);
    EXPECT_EQ(byName["Galaga"].action, ScreenAction::Keep);
    EXPECT_EQ(byName["Galaga"].screen, "Galaga.png") << "the screen it matches, though kept";
    EXPECT_EQ(byName["Tetris"].screen, "");
    EXPECT_EQ(byName["Nothing here"].action, ScreenAction::CopyDefault);
    EXPECT_EQ(byName["Nothing here"].screen, "loading.png");

    window.useDefaultState = 0;
    const CoverageCounts counts = CountCoverage(ListCoverageOf(window, program).value().rows);
    EXPECT_EQ(counts.layouts, 5);
    EXPECT_EQ(counts.getScreen, 2) << "Pacman, Asteroids";
    EXPECT_EQ(counts.keepTheirs, 2) << "Galaga, Tetris";
    EXPECT_EQ(counts.haveNone, 1) << "Nothing here";
    const Texts french = TextsIn(1);
    EXPECT_EQ(CountsLineOf({3000, 2870, 80, 50}, TextsIn(0)).substr(0, 1), "3");
    EXPECT_NE(CountsLineOf(counts, french).find("reçoivent un screen"), std::string::npos);
    EXPECT_EQ(CountsLineOf({1, 1, 0, 0}, TextsIn(0)),
              "1 layout: 1 gets a screen, 0 keep theirs, 0 have none");
    EXPECT_EQ(CountsLineOf({1, 0, 1, 0}, french),
              "1 layout : 0 reçoit un screen, 1 garde le sien, 0 n'en a aucun");
    CoverageRow kept;
    kept.action = ScreenAction::Keep;
    EXPECT_EQ(ActionText(kept, french), "ignorer (en a déjà un)");
}

TEST_F(CoverageTest, TheDefaultScreenIsPromisedOnlyWhenTheScreensFolderHasOne) {
    MakeTree();
    window.useDefaultState = 1;
    fs::remove(folder.Sub("screens/loading.png"));
    const std::vector<CoverageRow> rows = ListCoverageOf(window, program).value().rows;
    const auto nothing = std::find_if(rows.begin(), rows.end(), [](const CoverageRow& row) {
        return row.layout == "Nothing here";
    });
    ASSERT_NE(nothing, rows.end());
    EXPECT_EQ(nothing->action, ScreenAction::Nothing);
    EXPECT_EQ(CountCoverage(rows).haveNone, 1);
}

// Near names of users' collections, each with the link, mark or proposal
// the view gives it.
class CoverageLinksTest : public CoverageTest {
  protected:
    std::map<std::string, CoverageRow> byName;
    CoverageCounts counts;
    std::string sonicActionWhileWaiting;
    std::string statusWhileWaiting, statusOnceProposed;

    void List() {
        folder.Write("screens/Sonic _ Knuckles.png", "s");
        folder.Write("screens/The Legend of Zelda.png", "z");
        folder.Write("screens/Street Fighter 3.png", "sf");
        folder.Write("screens/Pacman.png", "p");
        folder.Write("screens/Quiet (Europe).png", "q"); // proposed, but for the mark
        folder.Write("screens/loading.png", "default");
        for (const char* layout : {"Sonic & Knuckles", "Legend of Zelda, The (USA)", "Gone",
                                   "Quiet", "Street Fighter II"})
            folder.MakeDir(std::string("layouts/") + layout);
        folder.Write("layouts/Pacman/loading.png", "own");
        folder.Write(kScreenLinksFileName, "\"Legend of Zelda, The (USA)\",The Legend of Zelda\r\n"
                                           "Gone,Vanished\r\nQuiet,\r\n");
        CoverageListing listing = ListCoverageOf(window, program).value();
        const auto sonic =
            std::ranges::find(listing.rows, "Sonic & Knuckles", &CoverageRow::layout);
        sonicActionWhileWaiting = ActionText(*sonic, TextsIn(0));
        statusWhileWaiting = StatusLineOf(listing, TextsIn(0));
        statusOnceProposed = StatusLineOnceProposed(listing, TextsIn(0));
        EXPECT_TRUE(ProposalPending(*sonic)) << "the proposals come after the listing";
        ProposeNearScreens(listing);
        for (const CoverageRow& row : listing.rows)
            byName[row.layout] = row;
        counts = CountCoverage(listing.rows);
    }
};

TEST_F(CoverageLinksTest, LinksDecideMarksSilenceAndOnlyTheRestGetProposals) {
    List();
    EXPECT_EQ(sonicActionWhileWaiting, "checking...");
    EXPECT_EQ(statusWhileWaiting.find("proposal"), std::string::npos);
    EXPECT_NE(statusOnceProposed.find("(2 proposals)"), std::string::npos)
        << "room for every row that waits: " << statusOnceProposed;
    const CoverageRow& sonic = byName["Sonic & Knuckles"];
    ASSERT_TRUE(sonic.proposal.has_value());
    EXPECT_EQ(sonic.proposal->screen, "Sonic _ Knuckles");
    EXPECT_EQ(sonic.action, ScreenAction::Nothing) << "nothing is copied on a proposal";
    EXPECT_EQ(sonic.origin, ScreenOrigin::None);

    const CoverageRow& zelda = byName["Legend of Zelda, The (USA)"];
    EXPECT_EQ(zelda.origin, ScreenOrigin::Linked);
    EXPECT_EQ(zelda.action, ScreenAction::Copy);
    EXPECT_EQ(zelda.screen, "The Legend of Zelda.png");
    EXPECT_FALSE(zelda.proposal.has_value());

    EXPECT_EQ(byName["Gone"].brokenLink, "Vanished.png");
    EXPECT_EQ(byName["Gone"].action, ScreenAction::Nothing);
    EXPECT_EQ(byName["Quiet"].origin, ScreenOrigin::NotWanted);
    EXPECT_FALSE(byName["Quiet"].proposal.has_value());
    EXPECT_FALSE(byName["Street Fighter II"].proposal.has_value()) << "II is not 3";
    EXPECT_EQ(byName["Pacman"].origin, ScreenOrigin::OwnName);

    EXPECT_TRUE(NeedsAttention(sonic));
    EXPECT_TRUE(NeedsAttention(byName["Gone"]));
    EXPECT_TRUE(NeedsAttention(byName["Street Fighter II"]));
    EXPECT_FALSE(NeedsAttention(byName["Quiet"]));
    EXPECT_FALSE(NeedsAttention(zelda));
    EXPECT_EQ(counts.proposals, 1);
    EXPECT_EQ(counts.needAttention, 3);
    EXPECT_EQ(CountsLineOf(counts, TextsIn(0)),
              "6 layouts: 1 gets a screen, 1 keeps its own, 4 have none. 3 need attention "
              "(1 proposal)");

    const Texts english = TextsIn(0);
    EXPECT_EQ(FoundByText(sonic, english),
              "proposal Sonic _ Knuckles.png: same name with _ for reserved characters");
    EXPECT_EQ(ActionText(sonic, english), "nothing until you accept");
    EXPECT_EQ(FoundByText(byName["Gone"], english), "your link Vanished.png no longer exists");
    EXPECT_EQ(ActionText(byName["Quiet"], english), "nothing (no screen wanted)");
    // A waiting proposal shows the screen a yes would copy; a link its own.
    EXPECT_EQ(PicturesOfRow(sonic, "S/")[0], "S/Sonic _ Knuckles.png");
    EXPECT_EQ(PicturesOfRow(zelda, "S/")[0], zelda.screenPath);
    EXPECT_EQ(PicturesOfRow(byName["Quiet"], "S/")[0], "");
    EXPECT_EQ(ActionText(byName["Gone"], english), "nothing (no screen found)");
}

TEST_F(CoverageLinksTest, TheDefaultScreenStillGoesToAMarkedLayoutAndBadPicturesNeedAttention) {
    window.useDefaultState = 1;
    List();
    EXPECT_EQ(byName["Quiet"].origin, ScreenOrigin::Default);
    EXPECT_EQ(byName["Quiet"].screen, "loading.png");
    EXPECT_FALSE(byName["Sonic & Knuckles"].proposal.has_value() &&
                 byName["Sonic & Knuckles"].action != ScreenAction::CopyDefault);

    std::vector<CoverageRow> rows{byName["Pacman"], byName["Quiet"]};
    EXPECT_EQ(PictureText(rows[0], TextsIn(0)), "checking...");
    ApplyJudgedPictures(rows, {{1, {ScreenPicture::JpegNamedPng, {}}},
                               {0, {ScreenPicture::Png, {640, 480}}},
                               {2, {ScreenPicture::Empty, {}}}});
    EXPECT_EQ(PictureText(rows[0], TextsIn(1)), "PNG 640 x 480");
    EXPECT_EQ(PictureText(rows[1], TextsIn(1)), "JPEG nommé .png");
    EXPECT_EQ(ShownRows(rows, true), std::vector<size_t>{1});
    EXPECT_EQ(CountCoverage(rows).pictureProblems, 1);
}

TEST_F(CoverageTest, AFolderThatDoesNotExistIsNamedInsteadOfZeroLayouts) {
    window.screensText = folder.Sub("no screens");
    const CoverageListing listing = ListCoverageOf(window, program).value();
    EXPECT_TRUE(listing.rows.empty());
    EXPECT_NE(StatusLineOf(listing, TextsIn(0)).find("screens folder"), std::string::npos);
    EXPECT_NE(StatusLineOf(listing, TextsIn(0)).find("no screens"), std::string::npos);
    window.layoutsText = folder.Sub("no layouts");
    EXPECT_EQ(ListCoverageOf(window, program).value().missingFolderText, kCovLayoutsFolderMissing);
}

TEST(CoverageSortTest, ACellSortsAsAPersonReadsItAndEqualCellsKeepTheInstallOrder) {
    std::vector<CoverageRow> rows(5);
    const char* names[] = {"game 10", "Game 9", "alpha", "game 010", "Beta"};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].layout = names[i];
    std::vector<size_t> shown = ShownRows(rows, false);
    SortShownRows(shown, rows, kLayoutColumn, true, TextsIn(0));
    EXPECT_EQ(shown, (std::vector<size_t>{2, 4, 1, 0, 3}));
    SortShownRows(shown, rows, kLayoutColumn, false, TextsIn(0));
    EXPECT_EQ(shown, (std::vector<size_t>{0, 3, 1, 4, 2})) << "equal cells stay in order";
    SortShownRows(shown, rows, -1, true, TextsIn(0));
    EXPECT_EQ(shown, (std::vector<size_t>{0, 1, 2, 3, 4}));
}

TEST(CoverageSortTest, AnAccentedNameSortsBesideItsPlainLetters) {
    std::vector<CoverageRow> rows(4);
    const char* names[] = {"Zoo", "\xC3\x89lite Force", "Eagle", "Fable"};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].layout = names[i];
    std::vector<size_t> shown = ShownRows(rows, false);
    SortShownRows(shown, rows, kLayoutColumn, true, TextsIn(0));
    EXPECT_EQ(shown, (std::vector<size_t>{2, 1, 3, 0}));
}

TEST(CoverageSortTest, TheLongestCellsAreFoundFarDownTheListAndAccentsCountOnce) {
    std::vector<CoverageRow> rows(1000);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].layout = "Game " + std::to_string(1000 + i);
    rows[990].layout = "Legend of Zelda, The (USA)";
    rows[500].layout =
        "\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89";
    rows[7].layout = "Street Fighter II";
    const std::vector<size_t> shown = ShownRows(rows, false);
    EXPECT_EQ(LongestCellRows(rows, shown, kLayoutColumn, TextsIn(0), 2),
              (std::vector<size_t>{990, 7}));
    EXPECT_EQ(LongestCellRows(rows, {3, 990}, kLayoutColumn, TextsIn(0), 5),
              (std::vector<size_t>{990, 3}));
}

TEST(CoverageCsvTest, ASpreadsheetReadsNoFieldAsAFormulaAndEveryOtherFieldIsKeptAsItIs) {
    for (const std::string formula :
         {"=HYPERLINK(\"http://x\",\"Pacman\")", "+1+1", "-2+3", "@SUM(1,2)", "\tTab", "\rCr"}) {
        const std::string field = CsvField(formula);
        const size_t quote = field[0] == '"' ? 1 : 0;
        EXPECT_EQ(field.substr(quote, 2), "'" + formula.substr(0, 1)) << formula;
    }
    EXPECT_EQ(CsvField("=1,2"), "\"'=1,2\"");
    for (const std::string kept : {"Pac-man", "a=b", "'quoted", "", "1942", " =lead", "Ms. @"})
        EXPECT_EQ(CsvField(kept), kept);
}

TEST_F(CoverageTest, ABlankFieldIsAnInvalidFolderAndTheViewListsNothing) {
    ApplyLanguage(program, 1);
    window.layoutsText = " ";
    EXPECT_FALSE(ListCoverageOf(window, program).has_value());
    window.layoutsText = layouts;
    window.screensText = "";
    EXPECT_FALSE(ListCoverageOf(window, program).has_value());
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{
                  "message(Exclamation): Le dossier des layouts semble invalide.", "focus: Text1",
                  "message(Exclamation): Le dossier des loading screens semble "
                  "invalide.",
                  "focus: Text2"}));
}

// A list saved before the view has sought every proposal has them all.
TEST(CoverageCsvTest, TheSavedListHasTheProposalsTheViewStillWaitsFor) {
    CoverageListing listing;
    listing.rows.resize(1);
    listing.rows[0].layout = "Sonic & Knuckles";
    listing.rows[0].proposalSearch = CoverageRow::Search::Waiting;
    listing.screenNames = {"Sonic _ Knuckles"};
    TempFolder folder;
    MachineScope machine{folder.Path()};
    ASSERT_TRUE(SaveCoverageCsv(folder.Sub("list.csv"), listing, TextsIn(0), Machine()));
    const std::string saved = FileContent(folder.Sub("list.csv"));
    EXPECT_NE(saved.find("Sonic _ Knuckles.png"), std::string::npos) << saved;
}

TEST(CoverageCsvTest, FieldsWithCommasQuotesOrBreaksAreQuotedAndTheFileIsWrittenThroughTheSeam) {
    EXPECT_EQ(CsvField("plain name"), "plain name");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("a,b", ";"), "a,b") << "only the separator in use is quoted";
    EXPECT_EQ(CsvField("a;b", ";"), "\"a;b\"");

    CoverageRow row;
    row.layout = "Street, \"Fighter\"";
    row.action = ScreenAction::Nothing;
    const Texts french = TextsIn(1);
    EXPECT_EQ(CoverageCsv({row}, french),
              "Layout,Screen à copier,Trouvé par,Image,loading.png,L'installation va\r\n"
              "\"Street, \"\"Fighter\"\"\",aucun,,,non,rien (aucun screen trouvé)\r\n");
    for (const char* unusable : {"", "\"", "\r\n", ";\n"})
        EXPECT_EQ(CoverageCsv({row}, french, unusable), CoverageCsv({row}, french)) << unusable;
    EXPECT_NE(CoverageCsv({row}, french, ";"), CoverageCsv({row}, french));

    TempFolder folder;
    MachineScope machine{folder.Path()};
    const std::string path = folder.Sub("list.csv");
    CoverageListing listing;
    listing.rows = {row};
    ASSERT_TRUE(SaveCoverageCsv(path, listing, french, Machine()));
#ifdef _WIN32
    const std::string mark = "\xEF\xBB\xBF";
#else
    const std::string mark;
#endif
    EXPECT_EQ(FileContent(path), mark + CoverageCsv({row}, french, Machine().listSeparator));
    EXPECT_FALSE(SaveCoverageCsv(folder.Sub("missing/list.csv"), listing, french, Machine()));
    EXPECT_NE(
        FileContent(folder.Sub("OrvanePatchLayouts.log.txt"))
            .find("Error while saving the list of screens to " + folder.Sub("missing/list.csv")),
        std::string::npos);
}

std::string PngHeader(uint32_t width, uint32_t height) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (uint32_t value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes + std::string(16, '\0');
}

TEST(PictureFileTest, OnlyRegularFilesWithAModestHeaderReachTheDecoder) {
    TempFolder folder;
    PictureSize size;
    EXPECT_EQ(CheckPictureFile(folder.Write("a.png", PngHeader(640, 480)), &size),
              PictureCheck::Fine);
    EXPECT_EQ(size.width, 640u);
    EXPECT_EQ(size.height, 480u);
    EXPECT_EQ(CheckPictureFile(folder.Write("huge.png", PngHeader(10000, 10000))),
              PictureCheck::TooManyPixels);
    EXPECT_EQ(CheckPictureFile(folder.Write("zero.png", PngHeader(0, 480))),
              PictureCheck::TooManyPixels);
    EXPECT_EQ(CheckPictureFile(folder.Write("text.png", std::string(64, 'x'))),
              PictureCheck::UnknownFormat);
    EXPECT_EQ(CheckPictureFile(folder.MakeDir("folder.png")), PictureCheck::NotARegularFile);
    EXPECT_EQ(CheckPictureFile(folder.Sub("missing.png")), PictureCheck::NotARegularFile);
    const std::string blocked = folder.Sub("fifo.png");
    const UnreadableFile unreadable(blocked);
    ASSERT_TRUE(unreadable.Made());
    EXPECT_NE(CheckPictureFile(blocked), PictureCheck::Fine) << "and returns at once";
    std::string jpeg("\xFF\xD8\xFF\xE1\x00\x04xx\xFF\xC0\x00\x11\x08\x01\xE0\x02\x80", 18);
    EXPECT_EQ(CheckPictureFile(folder.Write("a.jpg", jpeg + std::string(32, '\0')), &size),
              PictureCheck::Fine);
    EXPECT_EQ(size.width, 640u) << "after an EXIF segment";
    EXPECT_EQ(size.height, 480u);

    // The caps, one under and one over.
    const std::string atCap = folder.Write("cap.png", PngHeader(640, 480));
    fs::resize_file(atCap, kMaxPictureBytes);
    EXPECT_EQ(CheckPictureFile(atCap), PictureCheck::Fine);
    fs::resize_file(atCap, kMaxPictureBytes + 1);
    EXPECT_EQ(CheckPictureFile(atCap), PictureCheck::TooLarge);
    EXPECT_EQ(CheckPictureFile(folder.Write("4000.png", PngHeader(4000, 4000))),
              PictureCheck::Fine);
    EXPECT_EQ(CheckPictureFile(folder.Write("4001.png", PngHeader(4000, 4001))),
              PictureCheck::TooManyPixels);
    EXPECT_EQ(CheckPictureFile(folder.Write("wraps.png", PngHeader(65536, 65537))),
              PictureCheck::TooManyPixels)
        << "65536 x 65537 is 65536 in 32 bits";

    const PictureSize fitted = FittedSize({1920, 1080}, {320, 240});
    EXPECT_EQ(fitted.width, 320u);
    EXPECT_EQ(fitted.height, 180u);
    EXPECT_EQ(FittedSize({100, 50}, {320, 240}).width, 100u) << "never enlarged";
}

// A decoder gets the bytes that were checked, never the path to open again,
// where another file may stand by then.
TEST(PictureFileTest, TheCheckedBytesAreHandedOverAndARefusedPictureHandsNone) {
    TempFolder folder;
    std::string bytes = "stale";
    const std::string gif = Gif(1, 1, {{0, 0, 8, 8}});
    const std::string path = folder.Write("a.gif", gif);
    EXPECT_EQ(ReadCheckedPicture(path, bytes), PictureCheck::Fine);
    EXPECT_EQ(bytes, gif);
    folder.Write("a.gif", Gif(1, 1, {{0, 0, 8000, 8000}}));
    EXPECT_EQ(ReadCheckedPicture(path, bytes), PictureCheck::TooManyPixels);
    EXPECT_TRUE(bytes.empty());
}

TEST(PictureFileTest, EveryGifFrameAndItsPlaceFitTheCap) {
    TempFolder folder;
    PictureSize size;
    const auto check = [&](const std::vector<GifFrame>& frames) {
        return CheckPictureFile(folder.Write("a.gif", Gif(1, 1, frames)), &size);
    };
    EXPECT_EQ(check({{0, 0, 4000, 4000}}), PictureCheck::Fine);
    EXPECT_EQ(size.width, 4000u) << "the frame's size, not the screen's";
    EXPECT_EQ(check({{0, 0, 4000, 4001}}), PictureCheck::TooManyPixels);
    EXPECT_EQ(check({{1, 0, 4000, 4000}}), PictureCheck::TooManyPixels) << "its place counts";
    EXPECT_EQ(check({{0, 0, 8, 8}, {0, 0, 8, 8}, {0, 0, 8000, 8000}}), PictureCheck::TooManyPixels)
        << "the third frame";
    EXPECT_EQ(check({{0, 0, 0, 0}}), PictureCheck::Fine) << "the 1 x 1 screen";
    std::string cut = Gif(1, 1, {{0, 0, 8, 8}, {0, 0, 8000, 8000}});
    cut.resize(cut.size() - 12); // ends inside the second frame's descriptor
    EXPECT_EQ(CheckPictureFile(folder.Write("cut.gif", cut)), PictureCheck::Fine);
    EXPECT_EQ(CheckPictureFile(folder.Write("screen.gif", Gif(8000, 8000, {{0, 0, 1, 1}}))),
              PictureCheck::TooManyPixels);
}

TEST(PictureFileTest, AJpegOfMoreScansThanTheCapIsRefusedWhateverItsScansHold) {
    TempFolder folder;
    PictureSize size;
    EXPECT_EQ(
        CheckPictureFile(folder.Write("64.jpg", ProgressiveJpeg(640, 480, kMaxJpegScans)), &size),
        PictureCheck::Fine);
    EXPECT_EQ(size.width, 640u);
    EXPECT_EQ(size.height, 480u);
    EXPECT_EQ(
        CheckPictureFile(folder.Write("65.jpg", ProgressiveJpeg(640, 480, kMaxJpegScans + 1))),
        PictureCheck::TooManyScans);
    // Metadata of 128 KB first: the walk reads on past its first chunks.
    const std::string metadata = std::string("\xFF\xE1\xFF\xFF", 4) + std::string(65533, '\xFF');
    for (int scans : {kMaxJpegScans, kMaxJpegScans + 1}) {
        std::string jpeg = ProgressiveJpeg(640, 480, scans);
        jpeg.insert(2, metadata + metadata);
        EXPECT_EQ(CheckPictureFile(folder.Write("exif.jpg", jpeg), &size),
                  scans > kMaxJpegScans ? PictureCheck::TooManyScans : PictureCheck::Fine);
    }
    EXPECT_EQ(size.height, 480u);
    // Stuffed bytes, restarts and fill bytes inside a scan's data end no scan.
    std::string jpeg = ProgressiveJpeg(64, 64, kMaxJpegScans + 1);
    const size_t data = jpeg.find("\xFF\xDA") + 10;
    jpeg.insert(data, std::string("\xFF\x00\xFF\xD3\xFF\xFF\x00", 7));
    EXPECT_EQ(CheckPictureFile(folder.Write("stuffed.jpg", jpeg)), PictureCheck::TooManyScans);
}

} // namespace

// A refresh after a decision keeps the proposals already sought, unless the
// screens changed, and the verdicts on the same screens; a layout whose link
// is forgotten waits for its own proposal.
TEST(KeepFindings, ASecondListingOfTheSameScreensKeepsWhatWasSought) {
    const auto listingOf = [](std::vector<std::string> screens) {
        CoverageListing listing;
        listing.screenNames = std::move(screens);
        for (const char* layout : {"Sonic & Knuckles", "Galaga", "Pac-Man (USA)"}) {
            listing.rows.emplace_back().layout = layout;
            listing.rows.back().proposalSearch = CoverageRow::Search::Waiting;
        }
        return listing;
    };
    CoverageListing before = listingOf({"Sonic _ Knuckles", "Pac-Man"});
    before.rows[2].proposalSearch = CoverageRow::Search::NotNeeded; // linked then
    ProposeNearScreens(before);
    ASSERT_TRUE(before.rows[0].proposal.has_value());

    before.rows[1].screenPath = "/screens/loading.png";
    before.rows[1].picture = ScreenPictureVerdict{ScreenPicture::Empty, {}};
    CoverageListing after = listingOf({"Sonic _ Knuckles", "Pac-Man"});
    after.rows[1].screenPath = "/screens/loading.png";
    KeepFindings(before, after);
    EXPECT_EQ(after.rows[1].picture->kind, ScreenPicture::Empty) << "judged again later";
    EXPECT_EQ(after.rows[0].proposal->screen, "Sonic _ Knuckles");
    EXPECT_FALSE(ProposalPending(after.rows[1]) || after.rows[1].proposal.has_value());
    EXPECT_TRUE(ProposalPending(after.rows[2])) << "its link forgotten, it was never sought";

    CoverageListing changed = listingOf({"Sonic _ Knuckles", "Pac-Man", "Galaga 88"});
    changed.rows[1].screenPath = "/screens/Galaga 88.png";
    KeepFindings(before, changed);
    EXPECT_TRUE(std::ranges::all_of(changed.rows, ProposalPending)) << "the screens changed";
    EXPECT_FALSE(changed.rows[1].picture.has_value()) << "another screen";
}
