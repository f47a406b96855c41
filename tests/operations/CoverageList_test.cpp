#include "operations/CoverageCsv.h"
#include "operations/CoverageList.h"
#include "operations/InstallScreens.h"
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
            const std::vector<CoverageRow> rows = ListCoverageOf(window, program).value();
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
    const std::vector<CoverageRow> rows = ListCoverageOf(window, program).value();
    for (const CoverageRow& row : rows)
        byName[row.layout] = row;
    EXPECT_EQ(byName["Pacman"].screen, "pacman.PNG");
    EXPECT_EQ(byName["Pacman"].action, ScreenAction::Copy);
    EXPECT_EQ(byName["Galaga"].action, ScreenAction::Keep);
    EXPECT_EQ(byName["Galaga"].screen, "");
    EXPECT_EQ(byName["Nothing here"].action, ScreenAction::CopyDefault);
    EXPECT_EQ(byName["Nothing here"].screen, "loading.png");

    window.useDefaultState = 0;
    const CoverageCounts counts = CountCoverage(ListCoverageOf(window, program).value());
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
    EXPECT_EQ(ActionText(ScreenAction::Keep, french), "ignorer (en a déjà un)");
}

TEST_F(CoverageTest, TheDefaultScreenIsPromisedOnlyWhenTheScreensFolderHasOne) {
    MakeTree();
    window.useDefaultState = 1;
    fs::remove(folder.Sub("screens/loading.png"));
    const std::vector<CoverageRow> rows = ListCoverageOf(window, program).value();
    const auto nothing = std::find_if(rows.begin(), rows.end(), [](const CoverageRow& row) {
        return row.layout == "Nothing here";
    });
    ASSERT_NE(nothing, rows.end());
    EXPECT_EQ(nothing->action, ScreenAction::Nothing);
    EXPECT_EQ(CountCoverage(rows).haveNone, 1);
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

TEST(CoverageCsvTest, FieldsWithCommasQuotesOrBreaksAreQuotedAndTheFileIsWrittenThroughTheSeam) {
    EXPECT_EQ(CsvField("plain name"), "plain name");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");

    CoverageRow row;
    row.layout = "Street, \"Fighter\"";
    row.action = ScreenAction::Nothing;
    const Texts french = TextsIn(1);
    EXPECT_EQ(CoverageCsv({row}, french),
              "Layout,Screen à copier,loading.png,L'installation va\r\n"
              "\"Street, \"\"Fighter\"\"\",aucun,non,rien (aucun screen trouvé)\r\n");

    TempFolder folder;
    MachineScope machine{folder.Path()};
    const std::string path = folder.Sub("list.csv");
    ASSERT_TRUE(SaveCoverageCsv(path, {row}, french));
#ifdef _WIN32
    const std::string mark = "\xEF\xBB\xBF";
#else
    const std::string mark;
#endif
    EXPECT_EQ(FileContent(path), mark + CoverageCsv({row}, french));
    EXPECT_FALSE(SaveCoverageCsv(folder.Sub("missing/list.csv"), {row}, french));
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
