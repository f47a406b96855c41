#include "FakeDialogs.h"
#include "support/LogLines.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The real window with the program's own operations, driven by clicks.
class Form1EndToEnd : public ::testing::Test {
  protected:
    WindowBench bench;
    std::string layouts = bench.folder.MakeDir("layouts");
    std::string screens = bench.folder.MakeDir("screens");

    Form1& OpenOn(const std::string& layoutsText, const std::string& screensText) {
        Form1& form = bench.Open(DefaultOperations());
        bench.Find<QLineEdit>("Text1")->setText(QString::fromStdString(layoutsText));
        bench.Find<QLineEdit>("Text2")->setText(QString::fromStdString(screensText));
        return form;
    }
    void Click(const char* button) {
        QTest::mouseClick(bench.Find<QPushButton>(button), Qt::LeftButton);
    }
    std::vector<std::string> Log() const {
        return LogLinesOf(bench.folder.Sub("OrvanePatchLayouts.log.txt"));
    }
};

TEST_F(Form1EndToEnd, InstallThenDeleteThroughTheButtons) {
    bench.folder.Write("layouts/Alpha/layout.xml", "a");
    bench.folder.Write("layouts/Beta/loading.png", "old beta");
    bench.folder.Write("screens/Alpha.png", "alpha screen");
    bench.folder.Write("screens/Beta.png", "beta screen");
    Form1& form = OpenOn(layouts, screens);

    Click("Command3");
    EXPECT_EQ(FileContent(layouts + "/Alpha/loading.png"), "alpha screen");
    EXPECT_EQ(FileContent(layouts + "/Beta/loading.png"), "old beta") << "Overwrite is off";
    EXPECT_TRUE(form.State().InstallDone);
    EXPECT_FALSE(bench.Find<QWidget>("Picture1")->isVisible());

    bench.boxes->answers = {true};
    Click("Command5");
    EXPECT_FALSE(std::filesystem::exists(layouts + "/Alpha/loading.png"));
    EXPECT_FALSE(std::filesystem::exists(layouts + "/Beta/loading.png"));
    EXPECT_EQ(FileContent(screens + "/Alpha.png"), "alpha screen");

    EXPECT_EQ(bench.calls, (std::vector<std::string>{
                               "message(Information): 1 copies.",
                               "ask: Do you confirm you want to delete all loading screens ?",
                               "message(Information): 2 files deleted."}));
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), 15u);
    EXPECT_EQ(log[1], std::string(MachineScope::kTime) + " Install loading screens");
    EXPECT_EQ(log[2], " LayoutsPath =" + layouts + "/");
    EXPECT_EQ(log[8], "Total: 1 copies.");
    EXPECT_EQ(log[10], std::string(MachineScope::kTime) + " Delete all loading screens");
    EXPECT_EQ(log[14], "Total: 2 files deleted.");
}

TEST_F(Form1EndToEnd, AnInvalidLayoutsFolderPutsTheFocusBackOnItsField) {
    Form1& form = OpenOn(bench.folder.Sub("missing"), screens);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    Click("Command3");
    EXPECT_EQ(bench.calls, std::vector<std::string>{
                               "message(Exclamation): The folder of layouts seems to be unvalid."});
    EXPECT_EQ(QApplication::focusWidget(), bench.Find<QLineEdit>("Text1"));
    EXPECT_EQ(bench.Log(), "<missing>");
    EXPECT_FALSE(form.State().InstallDone);
}

// Every file below `root` with its content.
std::map<std::string, std::string> TreeOf(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        tree[entry.path().string()] = entry.is_regular_file() ? FileContent(entry.path()) : "/";
    return tree;
}

TEST_F(Form1EndToEnd, InstallWithOverwriteThenUndoFromTheMenuGivesBackTheTree) {
    bench.folder.Write("layouts/Alpha/layout.xml", "a");
    bench.folder.Write("layouts/Beta/loading.png", "old beta");
    bench.folder.Write("screens/Alpha.png", "alpha screen");
    bench.folder.Write("screens/Beta.png", "beta screen");
    const auto before = TreeOf(layouts);
    OpenOn(layouts, screens);
    QAction* undo = bench.Find<QAction>("MnuUndo");
    EXPECT_FALSE(undo->isEnabled());

    bench.Find<QCheckBox>("Check1")->setChecked(true);
    Click("Command3");
    ASSERT_EQ(FileContent(layouts + "/Beta/loading.png"), "beta screen");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text().toStdString(), "&Undo last install");

    bench.boxes->answers = {true};
    undo->trigger();
    EXPECT_EQ(TreeOf(layouts), before);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(bench.calls[1], "ask: Put back 1 loading screen and remove 1 copy?");
    EXPECT_EQ(Log()[10], std::string(MachineScope::kTime) + " Undo last install");
}

} // namespace
