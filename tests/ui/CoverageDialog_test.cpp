#include "CoverageDialog.h"
#include "FakeDialogs.h"
#include "operations/CoverageCsv.h"
#include "services/PictureFile.h"
#include "support/PictureBytes.h"
#include "support/UnreadableFile.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

std::string Png(const TempFolder& folder, const std::string& relative, int width, int height) {
    const std::string path = folder.Write(relative, "");
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(QString::fromStdString(path), "PNG");
    return path;
}

// A PNG header that announces 10000 x 10000 pixels, with nothing behind it.
std::string HugePngHeader() {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x27\x10\0\0\x27\x10", 24);
    return bytes + std::string(40, '\0');
}

// A view on its own, with scripted boxes and dialogs.
struct LoneView {
    explicit LoneView(CoverageHost host = {}) : view(nullptr, boxes, dialogs, std::move(host)) {}
    std::vector<std::string> calls;
    FakeMessageBoxes boxes{calls};
    FakeFolderDialog dialogs;
    CoverageDialog view;
};

class CoverageWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        bench.folder.MakeDir("layouts/Pacman");
        bench.folder.MakeDir("layouts/Galaga");
        bench.folder.MakeDir("layouts/Frogger");
        bench.folder.MakeDir("layouts/Zaxxon");
        Png(bench.folder, "Screens/Pacman.png", 800, 600);
        Png(bench.folder, "layouts/Galaga/loading.png", 64, 64);
        bench.folder.Write("Screens/Zaxxon.png", HugePngHeader());
        bench.Open();
    }
    CoverageDialog& OpenView() {
        bench.Find<QAction>("MnuCheckScreens")->trigger();
        auto* view = bench.Find<CoverageDialog>("CoverageDialog");
        EXPECT_TRUE(view && view->isVisible());
        return *view;
    }
    void Select(CoverageDialog& view, const std::string& layout) {
        auto* table = view.findChild<QTableView*>("CoverageTable");
        for (int i = 0; i < view.Model().rowCount(); ++i)
            if (view.Model().RowAt(i)->layout == layout)
                return table->setCurrentIndex(view.Model().index(i, 0));
        ADD_FAILURE() << layout << " not listed";
    }
    static std::string Pane(const CoverageDialog& view, const char* name) {
        const auto* pane = view.findChild<QLabel*>(name);
        return pane->pixmap().isNull() ? pane->text().toStdString() : "<picture>";
    }
    // The pane once its picture is decoded, the window's events turning
    // meanwhile; `whileLoading` sees the pane at each turn.
    template <class Look = void (*)(const QLabel&)>
    static std::string Settled(
        const CoverageDialog& view, const char* name, Look whileLoading = [](const QLabel&) {}) {
        const auto* pane = view.findChild<QLabel*>(name);
        (void)QTest::qWaitFor(
            [&] {
                whileLoading(*pane);
                return Pane(view, name) != kLoading;
            },
            60000);
        return Pane(view, name);
    }
    static constexpr const char* kLoading = "loading the picture...";
    static std::string Text(const CoverageDialog& view, const char* name) {
        return view.findChild<QLabel*>(name)->text().toStdString();
    }
    WindowBench bench;
};

TEST_F(CoverageWindow,
       TheListComesWithItsCountsTheFilterKeepsTheLayoutsWithoutAndItClosesWithTheWindow) {
    CoverageDialog& view = OpenView();
    EXPECT_EQ(view.Model().rowCount(), 4);
    EXPECT_EQ(Text(view, "CoverageCounts"),
              "4 layouts: 2 get a screen, 1 keeps its own, 1 has none. 1 needs attention");
    view.findChild<QCheckBox*>("CoverageFilter")->click();
    ASSERT_EQ(view.Model().rowCount(), 1);
    EXPECT_EQ(view.Model().RowAt(0)->layout, "Frogger");

    bench.Close();
    EXPECT_FALSE(view.isVisible()) << "left open, it would keep the program running";
}

// Typing a name's first letters finds its row, whichever order the list is in.
TEST_F(CoverageWindow, TheListTakesTheKeysAsItOpensAndTypingFindsALayout) {
    CoverageDialog& view = OpenView();
    auto* table = view.findChild<QTableView*>("CoverageTable");
    ASSERT_EQ(view.focusWidget(), table);
    QTest::keyClicks(view.focusWidget(), "Fro");
    ASSERT_TRUE(table->currentIndex().isValid());
    EXPECT_EQ(view.Model().RowAt(table->currentIndex().row())->layout, "Frogger");
}

TEST(CoverageColumns, ALongNameFarDownTheInstallsOrderIsShownWhole) {
    LoneView lone;
    CoverageDialog& view = lone.view;
    view.resize(1600, 800);
    view.layout()->activate();
    CoverageListing listing;
    listing.rows.resize(800);
    for (size_t i = 0; i < listing.rows.size(); ++i)
        listing.rows[i].layout = "Game " + std::to_string(i);
    const std::string longName = "Legend of Zelda, The - A Link to the Past (USA)";
    listing.rows[700].layout = longName;
    view.SetListing(std::move(listing));
    const auto* table = view.findChild<QTableView*>("CoverageTable");
    EXPECT_GT(table->horizontalHeader()->sectionSize(kLayoutColumn),
              table->fontMetrics().horizontalAdvance(QString::fromStdString(longName)));
}

// A proposal comes after the columns are fitted: its column widens for it.
TEST(CoverageColumns, AProposalComingLateIsShownWhole) {
    LoneView lone;
    CoverageDialog& view = lone.view;
    view.resize(1600, 800);
    view.layout()->activate();
    CoverageListing listing;
    listing.rows.resize(2);
    listing.rows[0].layout = "Pacman";
    listing.rows[1].layout = "Legend of Zelda, The - A Link to the Past (USA) (Rev 1)";
    listing.rows[1].proposalSearch = CoverageRow::Search::Waiting;
    listing.screenNames = {"Legend of Zelda, The - A Link to the Past (USA)"};
    view.SetListing(std::move(listing));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ProposalPending(view.Model().Rows()[1]); }));
    const auto* table = view.findChild<QTableView*>("CoverageTable");
    const std::string cell = CoverageCell(view.Model().Rows()[1], kFoundByColumn, TextsIn(0));
    ASSERT_NE(cell.find("Legend"), std::string::npos) << cell;
    EXPECT_GT(table->horizontalHeader()->sectionSize(kFoundByColumn),
              table->fontMetrics().horizontalAdvance(QString::fromStdString(cell)));
}

// The proposals come after the view shows: the selected row's screen then
// shows, the counts and the buttons follow, and a row the filter hid joins
// it once its proposal needs the user.
TEST(CoverageFindingsComing, TheSelectedRowShowsItsProposedScreenAsItComes) {
    TempFolder folder;
    Png(folder, "Screens/Sonic _ Knuckles.png", 40, 30);
    CoverageHost host;
    host.screensFolder = [&] { return folder.Sub("Screens") + "/"; };
    LoneView lone(host);
    CoverageDialog& view = lone.view;
    view.findChild<QCheckBox*>("CoverageFilter")->setChecked(true);
    CoverageListing listing;
    listing.rows.resize(2);
    listing.rows[0].layout = "Sonic & Knuckles";
    listing.rows[1].layout = "Tails & Friends"; // gets the default screen
    listing.rows[1].action = ScreenAction::CopyDefault;
    listing.rows[1].origin = ScreenOrigin::Default;
    for (CoverageRow& row : listing.rows)
        row.proposalSearch = CoverageRow::Search::Waiting;
    listing.screenNames = {"Sonic _ Knuckles", "Tails _ Friends"};
    view.SetListing(std::move(listing));
    view.show();
    EXPECT_EQ(view.Model().rowCount(), 1);
    const auto* pane = view.findChild<QLabel*>("ScreenPicture");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pane->pixmap().isNull(); }));
    EXPECT_TRUE(view.Model().Rows()[0].proposal.has_value());
    EXPECT_TRUE(view.findChild<QPushButton*>("CoverageAccept")->isEnabled());
    EXPECT_NE(view.findChild<QLabel*>("CoverageCounts")->text().indexOf("2 proposals"), -1);
    EXPECT_EQ(view.Model().rowCount(), 2);
}

TEST(CoverageColumns, TheCountsStayWholeInANarrowWindow) {
    LoneView lone;
    CoverageDialog& view = lone.view;
    view.SetLanguage(1);
    CoverageListing listing;
    listing.rows.resize(3012);
    view.SetListing(std::move(listing));
    view.setMinimumSize(300, 300); // as on a screen narrower than the texts
    view.resize(400, 700);
    view.show();
    const auto* counts = view.findChild<QLabel*>("CoverageCounts");
    const QRect needed = counts->fontMetrics().boundingRect(QRect(0, 0, counts->width(), 10000),
                                                            Qt::TextWordWrap, counts->text());
    EXPECT_LE(needed.height(), counts->height()) << counts->text().toStdString();
}

TEST_F(CoverageWindow, SelectingARowShowsBothPicturesOrThePlaceholderAndFrenchFollows) {
    CoverageDialog& view = OpenView();
    Select(view, "Pacman");
    EXPECT_EQ(Settled(view, "ScreenPicture"), "<picture>");
    EXPECT_EQ(Pane(view, "LoadingPicture"), "none");
    EXPECT_LE(view.findChild<QLabel*>("ScreenPicture")->pixmap().width(),
              view.findChild<QLabel*>("ScreenPicture")->width());
    Select(view, "Galaga");
    EXPECT_EQ(Settled(view, "LoadingPicture"), "<picture>");
    Select(view, "Zaxxon");
    EXPECT_EQ(Settled(view, "ScreenPicture"), "cannot show this picture") << "10000 x 10000";

    const UnreadableFile fifo(bench.folder.Sub("layouts/Frogger/loading.png"));
    ASSERT_TRUE(fifo.Made());
    bench.Find<QAction>("MnuCheckScreens")->trigger();
    Select(view, "Frogger");
    EXPECT_EQ(Settled(view, "LoadingPicture"), "cannot show this picture") << "a FIFO, no hang";

    bench.Find<QAction>("MnuFrench")->trigger();
    EXPECT_EQ(view.windowTitle().toStdString(), "Vérifier les screens");
    EXPECT_EQ(view.findChild<QCheckBox*>("CoverageFilter")->text().toStdString(),
              "Seulement les layouts à revoir");
    EXPECT_NE(Text(view, "CoverageCounts").find("reçoivent un screen"), std::string::npos);
    EXPECT_EQ(view.Model()
                  .headerData(kActionColumn, Qt::Horizontal, Qt::DisplayRole)
                  .toString()
                  .toStdString(),
              "L'installation va");
}

TEST_F(CoverageWindow, ASlowJpegOrAHugeGifNeverHoldsTheWindowAndTheLatestSelectionWins) {
    bench.folder.MakeDir("layouts/Bosconian");
    bench.folder.Write("Screens/Bosconian.png", ProgressiveJpeg(4000, 4000, kMaxJpegScans));
    bench.folder.MakeDir("layouts/Xevious");
    bench.folder.Write("Screens/Xevious.png", Gif(1, 1, {{0, 0, 8000, 8000}}));
    bench.folder.Write("Screens/Frogger.png", ProgressiveJpeg(4000, 4000, 3000));
    CoverageDialog& view = OpenView();
    Select(view, "Pacman");
    Settled(view, "ScreenPicture");

    int turns = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++turns; });
    timer.start(0);
    Select(view, "Bosconian");
    EXPECT_EQ(Pane(view, "ScreenPicture"), kLoading) << "the selection waits for no picture";
    int turnsWhileDecoding = 0;
    const auto count = [&](const QLabel& pane) {
        if (pane.text().toStdString() == kLoading)
            turnsWhileDecoding = turns;
    };
    EXPECT_EQ(Settled(view, "ScreenPicture", count), "<picture>");
    EXPECT_GT(turnsWhileDecoding, 1) << "the window's events kept turning";
    timer.stop();
    Select(view, "Xevious");
    EXPECT_EQ(Settled(view, "ScreenPicture"), "cannot show this picture") << "8000 x 8000 frame";
    Select(view, "Frogger");
    EXPECT_EQ(Settled(view, "ScreenPicture"), "cannot show this picture") << "3000 scans";

    // Down the list faster than the pictures decode: only the last row's show.
    std::vector<int> widthsSeen;
    Select(view, "Bosconian");
    QTest::qWait(100); // its decode under way
    Select(view, "Frogger");
    Select(view, "Pacman");
    const auto look = [&](const QLabel& pane) {
        if (!pane.pixmap().isNull() || pane.text().toStdString() != kLoading)
            widthsSeen.push_back(pane.pixmap().width());
    };
    EXPECT_EQ(Settled(view, "ScreenPicture", look), "<picture>");
    QTest::qWait(50);
    look(*view.findChild<QLabel*>("ScreenPicture"));
    const int paneWidth = view.findChild<QLabel*>("ScreenPicture")->width();
    EXPECT_EQ(std::set<int>(widthsSeen.begin(), widthsSeen.end()), std::set<int>{paneWidth})
        << "Pacman's 800 x 600 only, never Bosconian's square nor Frogger's text";

    Select(view, "Bosconian"); // and the window goes while it decodes
    bench.window.reset();
}

TEST_F(CoverageWindow, SaveListWritesTheCsvWhereTheDialogSaysAndTellsWhenItCannot) {
    CoverageDialog& view = OpenView();
    auto* save = view.findChild<QPushButton*>("CoverageSave");
    bench.dialog->saveAnswer = bench.folder.Sub("list.csv");
    save->click();
    CoverageListing sought = view.Model().Listing();
    ProposeNearScreens(sought);
    EXPECT_EQ(FileContent(bench.folder.Sub("list.csv")), CoverageCsv(sought.rows, TextsIn(0)));
    EXPECT_EQ(bench.dialog->saveTitles, std::vector<std::string>{"Save list..."});

    bench.dialog->saveAnswer = bench.folder.Sub("no such folder/list.csv");
    save->click();
    EXPECT_EQ(bench.calls,
              std::vector<std::string>{"message(Exclamation): The list could not be saved."});
}

} // namespace
