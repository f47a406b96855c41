// Install and delete of loading screens over a generated tree of layout
// folders, run through the program's own operations with a window that
// draws nothing, against a Python shutil.copyfile loop (install) and
// `find -name loading.png -delete` (delete) on identical trees.
//
//   layouts_bench [work-folder] [layouts=10000] [runs=5] [screen-kb=150]
//
// The methods alternate (A B A B ...); every run gets its own tree, and all
// trees are removed only at the end, since this file system slows down for a
// while after mass deletions. Before each timed run the data is written back
// and the input read once, untimed.
#include "operations/DeleteScreens.h"
#include "operations/InstallScreens.h"
#include "operations/MainWindowPort.h"
#include "services/Machine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

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
};

std::string LayoutName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "Layout %05d", i);
    return name;
}

void MakeScreens(const Setup& setup) {
    fs::create_directories(setup.Screens());
    std::string bytes(static_cast<size_t>(setup.screenKb) * 1024, '\0');
    for (int i = 0; i < setup.layouts; ++i) {
        uint32_t state = 2166136261u ^ static_cast<uint32_t>(i);
        for (char& c : bytes) {
            state = state * 1664525u + 1013904223u;
            c = static_cast<char>(state >> 24);
        }
        std::ofstream(setup.Screens() / (LayoutName(i) + ".png"), std::ios::binary) << bytes;
    }
}

fs::path MakeLayoutTree(const Setup& setup, const std::string& name) {
    const fs::path root = setup.work / name;
    for (int i = 0; i < setup.layouts; ++i)
        fs::create_directories(root / "layouts" / LayoutName(i));
    return root;
}

// Settles the disk and warms the cache: everything below `folder` is read once.
void Prepare(const fs::path& folder) {
    sync();
    std::vector<char> buffer(1 << 20);
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())))
            ;
    }
}

size_t CountLoadingScreens(const fs::path& layouts) {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(layouts))
        count += fs::exists(entry.path() / "loading.png");
    return count;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double OursInstall(const Setup& setup, const fs::path& root) {
    Machine().programFolder = root.string(); // the run's log goes to its own tree
    QuietWindow window;
    window.layouts = (root / "layouts").string();
    window.screens = setup.Screens().string();
    LayoutState state;
    const auto start = Clock::now();
    InstallLoadingScreens(window, state);
    return Seconds(start);
}

double OursDelete(const fs::path& root) {
    Machine().programFolder = root.string();
    QuietWindow window;
    window.layouts = (root / "layouts").string();
    LayoutState state;
    const auto start = Clock::now();
    DeleteLoadingScreens(window, state);
    return Seconds(start);
}

// The loop times itself, so the interpreter's start-up is not held against it.
double PythonInstall(const Setup& setup, const fs::path& root) {
    const fs::path out = root / "python-seconds.txt";
    const std::string command =
        "python3 -c 'import os, shutil, sys, time\n"
        "L, S, out = sys.argv[1:4]\n"
        "t = time.perf_counter()\n"
        "for n in os.listdir(L):\n"
        "    src = os.path.join(S, n + \".png\")\n"
        "    if os.path.isfile(src):\n"
        "        shutil.copyfile(src, os.path.join(L, n, \"loading.png\"))\n"
        "open(out, \"w\").write(str(time.perf_counter() - t))' \"" +
        (root / "layouts").string() + "\" \"" + setup.Screens().string() + "\" \"" + out.string() +
        "\"";
    if (std::system(command.c_str()) != 0)
        return -1;
    double seconds = -1;
    std::ifstream(out) >> seconds;
    return seconds;
}

double FindDelete(const fs::path& root) {
    const std::string command =
        "find \"" + (root / "layouts").string() + "\" -name loading.png -delete";
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    return status == 0 ? Seconds(start) : -1;
}

double Median(std::vector<double> values) {
    std::ranges::sort(values);
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Report(const char* what, const std::vector<double>& ours, const char* otherName,
            const std::vector<double>& other) {
    const double a = Median(ours), b = Median(other);
    std::printf("%-8s ours median %.3f s   %s median %.3f s   ours/%s = %.2f\n", what, a, otherName,
                b, otherName, a / b);
}

void Check(const char* what, const fs::path& layouts, size_t expected) {
    const size_t found = CountLoadingScreens(layouts);
    if (found != expected)
        std::printf("  WARNING %s: %zu loading.png, expected %zu in %s\n", what, found, expected,
                    layouts.c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // progress shows when the output is a file
    Setup setup;
    setup.work =
        argc > 1 ? fs::path(argv[1])
                 : fs::temp_directory_path() / ("orvane-layouts-bench-" + std::to_string(getpid()));
    if (argc > 2)
        setup.layouts = std::max(1, std::atoi(argv[2]));
    if (argc > 3)
        setup.runs = std::max(1, std::atoi(argv[3]));
    if (argc > 4)
        setup.screenKb = std::max(1, std::atoi(argv[4]));
    std::printf("%d layouts, %d KB screens, %d runs each, in %s\n", setup.layouts, setup.screenKb,
                setup.runs, setup.work.c_str());
    MakeScreens(setup);

    std::vector<fs::path> oursTrees, pythonTrees;
    std::vector<double> oursInstall, pythonInstall, oursDelete, findDelete;
    const size_t all = static_cast<size_t>(setup.layouts);
    for (int r = 0; r < setup.runs; ++r) {
        oursTrees.push_back(MakeLayoutTree(setup, "ours-" + std::to_string(r)));
        pythonTrees.push_back(MakeLayoutTree(setup, "python-" + std::to_string(r)));
        Prepare(setup.Screens());
        oursInstall.push_back(OursInstall(setup, oursTrees.back()));
        Check("ours install", oursTrees.back() / "layouts", all);
        Prepare(setup.Screens());
        pythonInstall.push_back(PythonInstall(setup, pythonTrees.back()));
        Check("python install", pythonTrees.back() / "layouts", all);
        std::printf("run %d  install: ours %.3f s  python %.3f s\n", r, oursInstall.back(),
                    pythonInstall.back());
    }
    for (int r = 0; r < setup.runs; ++r) {
        Prepare(oursTrees[size_t(r)] / "layouts");
        oursDelete.push_back(OursDelete(oursTrees[size_t(r)]));
        Check("ours delete", oursTrees[size_t(r)] / "layouts", 0);
        Prepare(pythonTrees[size_t(r)] / "layouts");
        findDelete.push_back(FindDelete(pythonTrees[size_t(r)]));
        Check("find delete", pythonTrees[size_t(r)] / "layouts", 0);
        std::printf("run %d  delete:  ours %.3f s  find %.3f s\n", r, oursDelete.back(),
                    findDelete.back());
    }
    Report("install", oursInstall, "python", pythonInstall);
    Report("delete", oursDelete, "find", findDelete);
    std::error_code error;
    fs::remove_all(setup.work, error);
    return 0;
}
