#include "CoverageDialog.h"
#include "FakeDialogs.h"
#include "support/PictureBytes.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// A tree of near names: two layouts the reserved-characters rule matches,
// one the comparison key matches, a sequel that must not get its
// predecessor's screen, one of its own name, and a JPEG named .png.
class CoverageDecisions : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* layout :
             {"Sonic & Knuckles", "Tails & Friends", "Legend of Zelda, The (USA)",
              "Street Fighter II", "Pacman", "Bosconian"})
            bench.folder.MakeDir(std::string("layouts/") + layout);
        bench.folder.Write("Screens/Sonic _ Knuckles.png", Png(40, 30));
        bench.folder.Write("Screens/Tails _ Friends.png", Png(50, 30));
        bench.folder.Write("Screens/The Legend of Zelda.png", Png(60, 30));
        bench.folder.Write("Screens/Street Fighter 3.png", Png(70, 30));
        bench.folder.Write("Screens/Pacman.png", Png(80, 30));
        bench.folder.Write("Screens/Bosconian.png", ProgressiveJpeg(16, 16, 2));
        bench.Open(DefaultOperations());
        bench.Find<QAction>("MnuCheckScreens")->trigger();
        view = bench.Find<CoverageDialog>("CoverageDialog");
        ASSERT_TRUE(view && view->isVisible());
        table = view->findChild<QTableView*>("CoverageTable");
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return std::ranges::none_of(view->Model().Rows(), ProposalPending);
        })) << "the proposals come in";
    }
    void Select(const std::string& layout) {
        const int index = view->Model().IndexOf(layout);
        ASSERT_GE(index, 0) << layout << " not shown";
        table->setCurrentIndex(view->Model().index(index, 0));
    }
    const CoverageRow& Selected() const {
        static const CoverageRow none;
        const CoverageRow* row = view->Model().RowAt(table->currentIndex().row());
        return row ? *row : none;
    }
    const CoverageRow& Row(const std::string& layout) const {
        return *view->Model().RowAt(view->Model().IndexOf(layout));
    }
    QPushButton& Button(const char* name) const { return *view->findChild<QPushButton*>(name); }
    // Which of the decision buttons may be clicked, in their order.
    std::string Enabled() const {
        std::string flags;
        for (const char* name : {"CoverageAccept", "CoverageAcceptRule", "CoveragePickScreen",
                                 "CoverageNoScreenWanted", "CoverageForgetLink"})
            flags += Button(name).isEnabled() ? '1' : '0';
        return flags;
    }
    std::string Links() const { return FileContent(bench.folder.Sub("ScreenLinks.csv")); }
    std::vector<std::string> Layouts() const {
        std::vector<std::string> layouts;
        for (int i = 0; i < view->Model().rowCount(); ++i)
            layouts.push_back(view->Model().RowAt(i)->layout);
        return layouts;
    }
    void ClickHeading(int column) {
        QHeaderView* header = table->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 4, 4));
    }

    WindowBench bench;
    CoverageDialog* view = nullptr;
    QTableView* table = nullptr;
};

TEST_F(CoverageDecisions, TheButtonsFollowTheSelectedRowAndEnterAcceptsNothing) {
    Select("Sonic & Knuckles");
    EXPECT_EQ(Enabled(), "11110");
    auto* pane = view->findChild<QLabel*>("ScreenPicture");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pane->pixmap().isNull(); }))
        << "the proposed screen shows before the user says yes";
    Select("Pacman");
    EXPECT_EQ(Enabled(), "00000") << "a screen of its own name needs no link";
    Select("Street Fighter II");
    EXPECT_EQ(Enabled(), "00110") << "no proposal against a sequel's screen";

    Select("Legend of Zelda, The (USA)");
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_Enter);
    EXPECT_FALSE(std::filesystem::exists(bench.folder.Sub("ScreenLinks.csv")));
    EXPECT_TRUE(Row("Legend of Zelda, The (USA)").proposal.has_value());
}

TEST_F(CoverageDecisions, AcceptingARuleLinksItsRowsOnlyAndForgettingUndoesOne) {
    Select("Sonic & Knuckles");
    Button("CoverageAcceptRule").click();
    EXPECT_EQ(Selected().layout, "Sonic & Knuckles") << "the selection stays";
    EXPECT_EQ(Row("Sonic & Knuckles").origin, ScreenOrigin::Linked);
    EXPECT_EQ(Row("Tails & Friends").origin, ScreenOrigin::Linked);
    EXPECT_TRUE(Row("Legend of Zelda, The (USA)").proposal.has_value()) << "another rule";
    EXPECT_NE(Links().find("Tails & Friends"), std::string::npos);
    EXPECT_EQ(Enabled(), "00111");

    Button("CoverageForgetLink").click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Row("Sonic & Knuckles").proposal.has_value(); }))
        << "a forgotten link's layout gets its proposal again";
    EXPECT_EQ(Row("Tails & Friends").origin, ScreenOrigin::Linked);

    Select("Street Fighter II");
    Button("CoverageNoScreenWanted").click();
    EXPECT_EQ(Row("Street Fighter II").origin, ScreenOrigin::NotWanted);
    EXPECT_EQ(Enabled(), "00101");
    EXPECT_TRUE(bench.calls.empty());
}

// With the filter on, a decided row leaves the list and the one after it
// is selected, not the first row.
TEST_F(CoverageDecisions, WithTheFilterOnADecisionMovesOnToTheNextRow) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return Row("Bosconian").picture.has_value(); }));
    view->findChild<QCheckBox*>("CoverageFilter")->click();
    const std::vector<std::string> before = Layouts();
    const auto place =
        static_cast<size_t>(std::ranges::find(before, "Sonic & Knuckles") - before.begin());
    ASSERT_LT(place, before.size());
    Select("Sonic & Knuckles");
    Button("CoverageAccept").click();
    EXPECT_EQ(std::ranges::count(Layouts(), "Sonic & Knuckles"), 0);
    EXPECT_EQ(Selected().layout, place + 1 < before.size() ? before[place + 1] : before[place - 1]);
}

TEST_F(CoverageDecisions, APickedScreenMustComeFromTheScreensFolderAndAFailedSaveIsTold) {
    Select("Street Fighter II");
    const std::string outside = bench.folder.Write("elsewhere/Street Fighter II.png", Png(8, 8));
    bench.dialog->openAnswer = outside;
    Button("CoveragePickScreen").click();
    ASSERT_EQ(bench.dialog->openFolders.size(), 1u);
    EXPECT_EQ(bench.dialog->openFolders[0], bench.folder.Sub("Screens/"));
    ASSERT_EQ(bench.calls.size(), 1u);
    EXPECT_EQ(bench.calls[0], "message(Exclamation): Pick a screen from the screens folder " +
                                  bench.folder.Sub("Screens/") + ".");
    EXPECT_FALSE(std::filesystem::exists(bench.folder.Sub("ScreenLinks.csv")));

    bench.dialog->openAnswer = bench.folder.Sub("Screens/Street Fighter 3.png");
    Button("CoveragePickScreen").click();
    EXPECT_EQ(Row("Street Fighter II").origin, ScreenOrigin::Linked);
    EXPECT_EQ(Row("Street Fighter II").screen, "Street Fighter 3.png");

    bench.dialog->openAnswer.clear(); // a cancel changes nothing
    Button("CoveragePickScreen").click();
    EXPECT_EQ(Row("Street Fighter II").origin, ScreenOrigin::Linked);

    std::filesystem::remove(bench.folder.Sub("ScreenLinks.csv"));
    bench.folder.MakeDir("ScreenLinks.csv"); // a file that cannot be written
    Select("Sonic & Knuckles");
    Button("CoverageAccept").click();
    EXPECT_EQ(bench.calls.back(),
              "message(Exclamation): The links could not be saved (see the log).");
    EXPECT_TRUE(Row("Sonic & Knuckles").proposal.has_value());
}

TEST_F(CoverageDecisions, AHeadingSortsItsColumnBothWaysAndTheSelectionFollows) {
    const std::vector<std::string> installOrder = Layouts();
    Select("Pacman");
    ClickHeading(kLayoutColumn);
    std::vector<std::string> sorted = installOrder;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Layouts(), sorted);
    EXPECT_EQ(table->horizontalHeader()->sortIndicatorSection(), kLayoutColumn);
    EXPECT_EQ(Selected().layout, "Pacman");
    ClickHeading(kLayoutColumn);
    EXPECT_EQ(Layouts(), std::vector<std::string>(sorted.rbegin(), sorted.rend()));
    EXPECT_EQ(Selected().layout, "Pacman");

    // A new listing keeps the order the user chose.
    bench.Find<QAction>("MnuCheckScreens")->trigger();
    EXPECT_EQ(Layouts(), std::vector<std::string>(sorted.rbegin(), sorted.rend()));
}

TEST_F(CoverageDecisions, TheViewFitsItsScreenAndItsLastColumnIsInSight) {
    const QRect area = view->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(view->frameGeometry())) << "placed within the work area";
    EXPECT_GT(view->minimumWidth(), 0);
    EXPECT_LE(view->minimumSize().width(), area.width());
    QHeaderView* header = table->horizontalHeader();
    const int last = kCoverageColumnCount - 1;
    EXPECT_LE(header->sectionViewportPosition(last) + header->sectionSize(last),
              table->viewport()->width());
    for (int column = 0; column < kCoverageColumnCount; ++column)
        EXPECT_GE(header->sectionSize(column),
                  table->fontMetrics().horizontalAdvance(
                      view->Model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()))
            << "column " << column << " keeps its heading readable";
}

TEST_F(CoverageDecisions, EditedFieldsMarkTheListOutOfDateUntilRefreshAndVerdictsFillIn) {
    auto* outOfDate = view->findChild<QLabel*>("CoverageOutOfDate");
    EXPECT_FALSE(outOfDate->isVisible());
    bench.folder.MakeDir("layouts/Galaga");
    bench.Find<QLineEdit>("Text1")->setText(QString::fromStdString(bench.folder.Sub("layouts")));
    EXPECT_TRUE(outOfDate->isVisible());
    Button("CoverageRefresh").click();
    EXPECT_FALSE(outOfDate->isVisible());
    EXPECT_GE(view->Model().IndexOf("Galaga"), 0);

    const auto picture = [&](const std::string& layout) {
        return CoverageCell(Row(layout), kPictureColumn, TextsIn(0));
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return picture("Bosconian") == "JPEG named .png"; }))
        << picture("Bosconian");
    EXPECT_EQ(picture("Pacman"), "PNG 80 x 30");
}

// The whole way: accept one rule's proposals, install, undo.
TEST_F(CoverageDecisions, AnAcceptedRuleIsInstalledAndTheUndoTakesItBack) {
    Select("Sonic & Knuckles");
    Button("CoverageAcceptRule").click();
    QTest::mouseClick(bench.Find<QPushButton>("Command3"), Qt::LeftButton);
    const std::string layouts = bench.folder.Sub("layouts/");
    EXPECT_EQ(FileContent(layouts + "Sonic & Knuckles/loading.png"), Png(40, 30));
    EXPECT_EQ(FileContent(layouts + "Tails & Friends/loading.png"), Png(50, 30));
    EXPECT_FALSE(std::filesystem::exists(layouts + "Legend of Zelda, The (USA)/loading.png"))
        << "a proposal not accepted is not copied";
    EXPECT_FALSE(std::filesystem::exists(layouts + "Street Fighter II/loading.png"));
    EXPECT_EQ(Row("Sonic & Knuckles").action, ScreenAction::Keep) << "the view follows";

    bench.boxes->answers = {true};
    bench.Find<QAction>("MnuUndo")->trigger();
    EXPECT_FALSE(std::filesystem::exists(layouts + "Sonic & Knuckles/loading.png"));
    EXPECT_FALSE(std::filesystem::exists(layouts + "Tails & Friends/loading.png"));
    EXPECT_EQ(FileContent(bench.folder.Sub("Screens/Sonic _ Knuckles.png")), Png(40, 30));
}

} // namespace
