#include "FakeDialogs.h"
#include "ProgressBox.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// An operation that records its name, then runs `during` as if the user
// acted while it let the window process events.
WindowOperation Recording(std::vector<std::string>& calls, const std::string& name,
                          std::function<void()> during = {}) {
    return [&calls, name, during](MainWindowPort& window, ProgramState&, LayoutState&) {
        calls.push_back(name + " starts");
        if (during)
            during();
        window.YieldToWindow();
        calls.push_back(name + " ends");
    };
}

TEST(Form1Operations, EachButtonRunsItsOperation) {
    WindowBench bench;
    Form1Operations operations;
    operations.install = Recording(bench.calls, "install");
    operations.download = Recording(bench.calls, "download");
    operations.deleteLoadingScreens = Recording(bench.calls, "delete");
    operations.unzip = Recording(bench.calls, "unzip");
    bench.Open(std::move(operations));
    for (const char* button : {"Command3", "Command4", "Command5", "Command6"})
        bench.Find<QPushButton>(button)->click();
    EXPECT_EQ(bench.calls, (std::vector<std::string>{
                               "install starts", "install ends", "download starts", "download ends",
                               "delete starts", "delete ends", "unzip starts", "unzip ends"}));
}

TEST(Form1Operations, ClicksDuringAnOperationDoNothing) {
    WindowBench bench;
    Form1Operations operations;
    operations.install = Recording(bench.calls, "install", [&bench] {
        for (const char* button :
             {"Command3", "Command4", "Command5", "Command6", "Command1", "Command2"})
            QTest::mouseClick(bench.Find<QPushButton>(button), Qt::LeftButton);
    });
    operations.download = Recording(bench.calls, "download");
    operations.deleteLoadingScreens = Recording(bench.calls, "delete");
    operations.unzip = Recording(bench.calls, "unzip");
    Form1& form = bench.Open(std::move(operations));
    form.show();
    bench.Find<QPushButton>("Command3")->click();
    EXPECT_EQ(bench.calls, (std::vector<std::string>{"install starts", "install ends"}));
    EXPECT_TRUE(bench.dialog->startFolders.empty()) << "no folder dialog either";
    bench.Find<QPushButton>("Command5")->click();
    EXPECT_EQ(bench.calls.back(), "delete ends") << "free again once the install has ended";
}

TEST(Form1Operations, CloseDuringAnOperationHappensWhenItEnds) {
    WindowBench bench;
    Form1Operations operations;
    operations.download = Recording(bench.calls, "download", [&bench] {
        bench.Find<QAction>("MnuQuit")->trigger();
        bench.calls.push_back(bench.window->isVisible() ? "still open" : "closed");
        bench.calls.push_back("log: " + bench.Log());
    });
    Form1& form = bench.Open(std::move(operations));
    form.show();
    bench.Find<QPushButton>("Command4")->click();
    EXPECT_EQ(bench.calls, (std::vector<std::string>{"download starts", "still open",
                                                     "log: <missing>", "download ends"}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(bench.Log(), std::string(MachineScope::kTime) + " END\r\n");
}

TEST(Form1Operations, OfferToUnzipEndsTheLoadAndGuardsTheButtons) {
    WindowBench bench;
    Form1Operations operations;
    operations.install = Recording(bench.calls, "install");
    operations.offerUnzipAtStart = [&bench](MainWindowPort& window, ProgramState&, LayoutState&) {
        const auto* form = static_cast<Form1*>(&window);
        bench.calls.push_back("offer with " + window.FieldText(FolderField::Layouts) + " and " +
                              form->findChild<QLabel*>("Label1")->text().toStdString());
        form->findChild<QPushButton*>("Command3")->click();
    };
    bench.Open(std::move(operations));
    EXPECT_EQ(bench.calls, std::vector<std::string>{"offer with " + bench.folder.Path() +
                                                    "/layouts/ and Folder of your layouts:"});
}

TEST(Form1Operations, WindowPortReachesTheControls) {
    WindowBench bench;
    bench.StoreSettings("OverWrite=1\r\nUseDefault=2\r\n");
    Form1& form = bench.Open();
    MainWindowPort& port = form;
    EXPECT_EQ(port.FieldText(FolderField::Layouts), bench.folder.Path() + "/layouts/");
    bench.Find<QLineEdit>("Text2")->setText("/elsewhere/");
    EXPECT_EQ(port.FieldText(FolderField::Screens), "/elsewhere/");
    EXPECT_EQ(port.OverwriteState(), 1);
    EXPECT_EQ(port.UseDefaultState(), 2);
    bench.Find<QCheckBox>("Check1")->setChecked(false);
    EXPECT_EQ(port.OverwriteState(), 0);

    port.ShowMessage("Finished", MessageIcon::Information);
    bench.boxes->answers = {true};
    EXPECT_TRUE(port.AskYesNo("line one\r\nline two"));
    EXPECT_FALSE(port.AskYesNo("again?"));
    EXPECT_EQ(bench.calls, (std::vector<std::string>{"message(Information): Finished",
                                                     "ask: line one\r\nline two", "ask: again?"}));

    auto* picture = bench.Find<ProgressBox>("Picture1");
    port.SetProgressVisible(true);
    EXPECT_TRUE(picture->isVisibleTo(&form));
    port.SetProgressVisible(false);
    EXPECT_FALSE(picture->isVisibleTo(&form));

    port.SetHourglass(true);
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
    port.SetHourglass(false);
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);

    EXPECT_FALSE(port.UnzipWithWindow("a.zip", "/tmp/x/", false));
}

TEST(Form1Operations, DrawProgressUsesTheStandardLookOnPicture1) {
    WindowBench bench;
    Form1& form = bench.Open();
    auto* picture = bench.Find<ProgressBox>("Picture1");
    const QImage before = picture->Image();
    form.DrawProgress(50, 100, "Copying...");
    const QImage& image = picture->Image();
    EXPECT_NE(image, before);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black)) << "bar at the left";
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::white));
}

TEST(Form1Operations, ProgramsOwnUnzipOperationsAreWired) {
    WindowBench bench;
    bench.folder.Write("loadscr.zip", "not read: the offer is declined");
    bench.Open(DefaultOperations());
    ASSERT_EQ(bench.calls.size(), 1u);
    EXPECT_EQ(bench.calls[0], "ask: Do you want to unzip the loading screens ?")
        << "offer at start";
    bench.calls.clear();
    std::filesystem::remove(bench.folder.Sub("loadscr.zip"));
    bench.Find<QPushButton>("Command6")->click();
    EXPECT_EQ(bench.calls,
              std::vector<std::string>{"message(Information): The file does not exist\r\n" +
                                       bench.folder.Sub("loadscr.zip")});
}

} // namespace
