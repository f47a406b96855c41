// Install and delete of loading screens through the real main window on Qt's
// offscreen platform, against the same operations with a window that draws
// nothing: what the progress drawing and the yields to the event loop cost.
//
//   form1_layouts_bench [work-folder] [layouts=10000] [runs=5] [screen-kb=150]
//
// The methods alternate (A B A B ...), each run on its own tree; before each
// timed run the data is written back and the input read once, untimed.
#include "Form1.h"
#include "MessageBoxes.h"
#include "app/AppState.h"
#include "app/Messages.h"
#include "services/Machine.h"
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

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // progress shows when the output is a file
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Language = 0;
    ApplyLanguage(0);
    const Setup setup = ParseSetup(argc, argv, "form1-layouts-bench");
    PrintSetup(setup);
    MakeScreens(setup);

    std::vector<fs::path> headlessTrees, windowTrees;
    std::vector<double> headlessInstall, windowInstall, headlessDelete, windowDelete;
    for (int r = 0; r < setup.runs; ++r) {
        headlessTrees.push_back(MakeLayoutTree(setup, "headless-" + std::to_string(r)));
        windowTrees.push_back(MakeLayoutTree(setup, "form1-" + std::to_string(r)));
        Prepare(setup.Screens());
        headlessInstall.push_back(HeadlessInstall(setup, headlessTrees.back()));
        Check("headless install", headlessTrees.back() / "layouts", setup.Layouts());
        Prepare(setup.Screens());
        windowInstall.push_back(ClickOnWindow(setup, windowTrees.back(), "Command3"));
        Check("Form1 install", windowTrees.back() / "layouts", setup.Layouts());
        std::printf("run %d  install: headless %.3f s  Form1 %.3f s\n", r, headlessInstall.back(),
                    windowInstall.back());
    }
    for (size_t r = 0; r < headlessTrees.size(); ++r) {
        Prepare(headlessTrees[r] / "layouts");
        headlessDelete.push_back(HeadlessDelete(headlessTrees[r]));
        Check("headless delete", headlessTrees[r] / "layouts", 0);
        Prepare(windowTrees[r] / "layouts");
        windowDelete.push_back(ClickOnWindow(setup, windowTrees[r], "Command5"));
        Check("Form1 delete", windowTrees[r] / "layouts", 0);
        std::printf("run %zu  delete:  headless %.3f s  Form1 %.3f s\n", r, headlessDelete.back(),
                    windowDelete.back());
    }
    Report("install", "Form1", windowInstall, "headless", headlessInstall);
    Report("delete", "Form1", windowDelete, "headless", headlessDelete);
    RemoveWork(setup);
    return 0;
}
