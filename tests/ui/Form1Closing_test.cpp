#include "CloseOnSignal.h"
#include "FakeDialogs.h"
#include "services/ProfileFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <csignal>
#include <gtest/gtest.h>

namespace {

struct ClosedFiles {
    std::string settings;
    std::string log;
    bool visibleAfter = true;
};

// Opens a window on the same stored state, closes it with `close` and
// returns what the closing left behind.
template <class CloseFn> ClosedFiles OpenAndClose(CloseFn close) {
    WindowBench bench;
    bench.StoreSettings("OverWrite=1\r\nUseDefault=0\r\nURL=http://127.0.0.1/loadscr.zip\r\n");
    bench.program.LayoutsPath = "/data/layouts/";
    bench.program.SourcePath = "/data/screens/";
    Form1& form = bench.Open();
    EXPECT_TRUE(bench.ShowActive());
    close(bench);
    return {bench.Settings(), bench.Log(), form.isVisible()};
}

TEST(Form1Closing, CloseBoxCtrlQMenuAndSignalLeaveTheSameFiles) {
    const ClosedFiles byCloseBox =
        OpenAndClose([](WindowBench& bench) { bench.window->windowHandle()->close(); });
    const ClosedFiles byCtrlQ = OpenAndClose([](WindowBench& bench) {
        QTest::keyClick(bench.window.get(), Qt::Key_Q, Qt::ControlModifier);
    });
    const ClosedFiles byMenu =
        OpenAndClose([](WindowBench& bench) { bench.Find<QAction>("MnuQuit")->trigger(); });
    const ClosedFiles bySignal = OpenAndClose([](WindowBench& bench) {
        CloseOnSignal closeOnSignal(*bench.window);
        std::raise(SIGTERM);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !bench.window->isVisible(); }));
    });
    EXPECT_FALSE(byCloseBox.visibleAfter);
    EXPECT_FALSE(byCtrlQ.visibleAfter);
    EXPECT_EQ(byCtrlQ.settings, byCloseBox.settings);
    EXPECT_EQ(byMenu.settings, byCloseBox.settings);
    EXPECT_FALSE(bySignal.visibleAfter);
    EXPECT_EQ(bySignal.settings, byCloseBox.settings);
    EXPECT_EQ(bySignal.log, byCloseBox.log);
    EXPECT_EQ(byCtrlQ.log, byCloseBox.log);
    EXPECT_EQ(byCloseBox.log, std::string(MachineScope::kTime) + " END\r\n");
    for (const char* key : {"Language=0", "LayoutsPath=/data/layouts/", "SourcePath=/data/screens/",
                            "OverWrite=1", "UseDefault=0", "URL=http://127.0.0.1/loadscr.zip"})
        EXPECT_NE(byCloseBox.settings.find(key), std::string::npos) << key;
}

TEST(Form1Closing, FieldsAndBoxesAreSavedAsTheyStand) {
    WindowBench bench;
    Form1& form = bench.Open();
    bench.Find<QLineEdit>("Text1")->setText("typed by hand, never used");
    bench.Find<QLineEdit>("Text2")->setText("");
    bench.Find<QCheckBox>("Check2")->setChecked(true);
    form.close();
    EXPECT_EQ(ReadSetting("LayoutsPath", "", "?", ""), "typed by hand, never used");
    EXPECT_EQ(ReadSetting("SourcePath", "", "?", ""), "");
    EXPECT_EQ(ReadSetting("OverWrite", "", "?", ""), "0");
    EXPECT_EQ(ReadSetting("UseDefault", "", "?", ""), "1");
    EXPECT_EQ(form.Program().LayoutsPath, bench.folder.Path() + "/layouts/")
        << "the program state is not touched";
    form.close();
    EXPECT_EQ(bench.Log(), std::string(MachineScope::kTime) + " END\r\n") << "END only once";
}

struct StoredBoxRow {
    const char* stored;
    Qt::CheckState shown;
    const char* saved;
};

TEST(Form1Closing, StoredBoxStatesLoadAndSaveBack) {
    const StoredBoxRow rows[] = {
        {"1", Qt::Checked, "1"},          {"0.6", Qt::Checked, "1"},   {"0", Qt::Unchecked, "0"},
        {"2", Qt::PartiallyChecked, "2"}, {"yes", Qt::Unchecked, "0"}, {"7", Qt::Unchecked, "0"},
    };
    for (const StoredBoxRow& row : rows) {
        WindowBench bench;
        bench.StoreSettings(std::string("OverWrite=") + row.stored +
                            "\r\nUseDefault=" + row.stored + "\r\n");
        Form1& form = bench.Open();
        EXPECT_EQ(bench.Find<QCheckBox>("Check1")->checkState(), row.shown) << row.stored;
        EXPECT_EQ(bench.Find<QCheckBox>("Check2")->checkState(), row.shown) << row.stored;
        form.close();
        EXPECT_EQ(ReadSetting("OverWrite", "", "?", ""), row.saved) << row.stored;
        EXPECT_EQ(ReadSetting("UseDefault", "", "?", ""), row.saved) << row.stored;
    }
}

TEST(Form1Closing, GrayedBoxBecomesAPlainOneWhenClicked) {
    WindowBench bench;
    bench.StoreSettings("OverWrite=2\r\n");
    bench.Open();
    auto* box = bench.Find<QCheckBox>("Check1");
    box->click();
    EXPECT_EQ(box->checkState(), Qt::Checked);
    box->click();
    box->click();
    EXPECT_EQ(box->checkState(), Qt::Checked) << "two states only from now on";
}

TEST(Form1Closing, CleanUpQuestionOnlyAfterAnInstallAndTheCloseGoesOn) {
    for (const bool answer : {true, false}) {
        WindowBench bench;
        Form1Operations operations;
        operations.install = [](MainWindowPort&, ProgramState&, LayoutState& state) {
            state.InstallDone = true;
        };
        operations.deleteTemporaryFiles = [&bench](MainWindowPort& window, ProgramState&,
                                                   LayoutState&) {
            bench.calls.push_back("clean-up, log so far: " + bench.Log());
            window.AskYesNo("delete them?");
        };
        Form1& form = bench.Open(std::move(operations));
        bench.boxes->answers.push_back(answer);
        form.show();
        bench.Find<QAbstractButton>("Command3")->click();
        form.close();
        EXPECT_FALSE(form.isVisible()) << "answer " << answer;
        EXPECT_EQ(bench.calls, (std::vector<std::string>{"clean-up, log so far: <missing>",
                                                         "ask: delete them?"}))
            << "the question comes before the settings and END";
        EXPECT_EQ(bench.Log(), std::string(MachineScope::kTime) + " END\r\n");
    }
    WindowBench bench;
    Form1Operations operations;
    operations.deleteTemporaryFiles = [&bench](MainWindowPort&, ProgramState&, LayoutState&) {
        bench.calls.push_back("clean-up");
    };
    bench.Open(std::move(operations)).close();
    EXPECT_TRUE(bench.calls.empty()) << "no install, no question";
}

} // namespace
