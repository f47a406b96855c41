#pragma once

// What the install and delete benchmarks share: the generated trees of
// layout folders, a window that draws nothing, cache warming, timing and the
// report. Every run gets its own tree; trees are removed only at the end,
// since this file system creates files slowly for a while after mass
// deletions.

#include "operations/MainWindowPort.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The operations' window with nothing behind it: the cost of the operation
// code alone. Questions are answered Yes, check boxes are unchecked.
class QuietWindow : public MainWindowPort {
  public:
    std::string layouts, screens;
    std::string FieldText(FolderField field) const override {
        return field == FolderField::Layouts ? layouts : screens;
    }
    int32_t OverwriteState() const override { return 0; }
    int32_t UseDefaultState() const override { return 0; }
    void ShowMessage(const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&) override { return true; }
    void FocusField(FolderField) override {}
    void SetHourglass(bool) override {}
    void SetProgressVisible(bool) override {}
    void DrawProgress(int32_t, int32_t, const std::string&) override {}
    void YieldToWindow() override {}
    bool UnzipWithWindow(const std::string&, const std::string&, bool) override { return false; }
};

struct Setup {
    fs::path work;
    int layouts = 10000;
    int runs = 5;
    int screenKb = 150;

    fs::path Screens() const { return work / "screens"; }
    size_t Layouts() const { return static_cast<size_t>(layouts); }
};

// Reads "[work-folder] [layouts] [runs] [screen-kb]"; a missing work folder
// is a fresh one in the temporary folder named after `benchName`.
Setup ParseSetup(int argc, char** argv, const std::string& benchName);
void PrintSetup(const Setup& setup);

// One distinct screen per layout ("Layout 00042.png"), sharing no content.
void MakeScreens(const Setup& setup);
// `work/name/layouts/Layout NNNNN` folders, empty; returns `work/name`.
fs::path MakeLayoutTree(const Setup& setup, const std::string& name);

// Settles the disk and warms the cache: everything below `folder` is read once.
void Prepare(const fs::path& folder);

size_t CountLoadingScreens(const fs::path& layouts);
// Prints a warning unless `layouts` holds `expected` loading screens.
void Check(const char* what, const fs::path& layouts, size_t expected);

double Seconds(Clock::time_point start);
double Median(std::vector<double> values);

// "what  A median x s   B median y s   A/B = r" for the named series.
void Report(const char* what, const char* nameA, const std::vector<double>& a, const char* nameB,
            const std::vector<double>& b);

// The program's install and delete on the tree `root`, with a QuietWindow;
// the log goes to the tree itself. Each returns the seconds taken. With
// `undo` the operation keeps its undo store in the tree, as the program does.
double HeadlessInstall(const Setup& setup, const fs::path& root, bool undo = false);
double HeadlessDelete(const fs::path& root, bool undo = false);

// Removes the work folder and everything in it.
void RemoveWork(const Setup& setup);

} // namespace bench
