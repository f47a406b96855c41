// Install and delete of loading screens through the real main window on Qt's
// offscreen platform, against the same operations with a window that draws
// nothing: what the progress drawing and the yields to the event loop cost.
//
//   form1_layouts_bench [work-folder] [layouts=10000] [runs=5] [screen-kb=150]
//
// The methods alternate, each run on its own tree, and swap places every
// other run (A B B A ...); before each timed run the data is written back
// and the input read once, untimed.
#include "Form1.h"
#include "MessageBoxes.h"
#include "services/Machine.h"
#include "support/BenchPlatform.h"
#include "support/LayoutTrees.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace bench;

namespace {

// Boxes that show nothing and answer every question Yes, counting the boxes
// so that a run that stopped early shows up.
class YesBoxes : public MessageBoxes {
  public:
    explicit YesBoxes(int& shown) : shown_(shown) {}
    void Show(QWidget*, const std::string&, MessageIcon) override { ++shown_; }
    bool AskYesNo(QWidget*, const std::string&) override { return true; }

  private:
    int& shown_;
};

// Opens the main window on the tree `root` (its log goes there), shows it,
// fills the folder fields and times one click on `button`.
double ClickOnWindow(const Setup& setup, const fs::path& root, const char* button) {
    Machine().programFolder = root.string();
    int shown = 0;
    Form1Services services;
    ApplyLanguage(services.program, 0);
    services.messageBoxes = std::make_unique<YesBoxes>(shown);
    Form1 form(std::move(services));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::printf("  WARNING the window was never exposed\n");
    form.findChild<QLineEdit*>("Text1")->setText(
        QString::fromStdString((root / "layouts").string()));
    form.findChild<QLineEdit*>("Text2")->setText(QString::fromStdString(setup.Screens().string()));
    QPushButton* command = form.findChild<QPushButton*>(button);
    const auto start = Clock::now();
    command->click();
    const double seconds = Seconds(start);
    if (shown != 1)
        std::printf("  WARNING %s showed %d boxes, expected the final one only\n", button, shown);
    return seconds;
}

// The trees and timings of one method: through the window or headless.
struct Series {
    Series(const char* name, bool throughWindow) : name(name), throughWindow(throughWindow) {}
    const char* name;
    bool throughWindow;
    std::vector<fs::path> trees;
    std::vector<double> installs, deletes;
};

void TimeInstall(const Setup& setup, Series& series) {
    Prepare(setup.Screens());
    const fs::path& root = series.trees.back();
    series.installs.push_back(series.throughWindow ? ClickOnWindow(setup, root, "Command3")
                                                   : HeadlessInstall(setup, root));
    Check(series.name, root / "layouts", setup.Layouts());
}

void TimeDelete(const Setup& setup, Series& series, size_t run) {
    const fs::path& root = series.trees[run];
    Prepare(root / "layouts");
    series.deletes.push_back(series.throughWindow ? ClickOnWindow(setup, root, "Command5")
                                                  : HeadlessDelete(root));
    Check(series.name, root / "layouts", 0);
}

} // namespace

int main(int argc, char** argv) {
    ShowOutputLineByLine();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const Setup setup = ParseSetup(argc, argv, "form1-layouts-bench");
    PrintSetup(setup);
    MakeScreens(setup);

    // Every other run the window goes first, so that neither method always
    // runs right after the other's writes or mass deletion.
    Series headless("headless", false), window("Form1", true);
    for (int r = 0; r < setup.runs; ++r) {
        headless.trees.push_back(MakeLayoutTree(setup, "headless-" + std::to_string(r)));
        window.trees.push_back(MakeLayoutTree(setup, "form1-" + std::to_string(r)));
        const bool windowFirst = r % 2 == 1;
        TimeInstall(setup, windowFirst ? window : headless);
        TimeInstall(setup, windowFirst ? headless : window);
        std::printf("run %d  install: headless %.3f s  Form1 %.3f s\n", r, headless.installs.back(),
                    window.installs.back());
    }
    for (size_t r = 0; r < headless.trees.size(); ++r) {
        const bool windowFirst = r % 2 == 1;
        TimeDelete(setup, windowFirst ? window : headless, r);
        TimeDelete(setup, windowFirst ? headless : window, r);
        std::printf("run %zu  delete:  headless %.3f s  Form1 %.3f s\n", r, headless.deletes.back(),
                    window.deletes.back());
    }
    Report("install", "Form1", window.installs, "headless", headless.installs);
    Report("delete", "Form1", window.deletes, "headless", headless.deletes);
    RemoveWork(setup);
    return 0;
}
