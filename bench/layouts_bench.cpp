// Install and delete of loading screens over a generated tree of layout
// folders, run through the program's own operations with a window that
// draws nothing, against the floor of a bare loop over the same listing
// that only copies each screen with the system's own call (copy_file_range,
// CopyFileW) and removes each loading.png (unlink, DeleteFileW); against a
// loop that copies beside and renames over, as a copy must that never
// leaves a half-written file; then the same with the undo store kept. Where Python and find are at
// hand (not under Wine), a Python shutil.copyfile loop and `find -delete` as well.
//
//   layouts_bench [work-folder] [layouts=10000] [runs=5] [screen-kb=150]
//
// The methods alternate (A B C ...) in every run, each on a tree of its
// own and each first in turn; before each timed run the data is written back and the input read
// once, untimed.
#include "support/BenchPlatform.h"
#include "support/LayoutTrees.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace bench;

namespace {

constexpr char kSlash = static_cast<char>(fs::path::preferred_separator);

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

std::string LayoutName(const fs::directory_entry& entry) {
    return entry.path().filename().string();
}

// The least an install can do: list the layouts, copy each one's screen.
double BareInstall(const Setup& setup, const fs::path& root) {
    const std::string screens = setup.Screens().string() + kSlash;
    const auto start = Clock::now();
    for (const auto& entry : fs::directory_iterator(root / "layouts")) {
        const std::string name = LayoutName(entry);
        BareCopy(screens + name + ".png", entry.path().string() + kSlash + "loading.png");
    }
    return Seconds(start);
}

// The least an install that never leaves a half-written loading.png can do:
// copy beside, then rename over.
double SafeInstall(const Setup& setup, const fs::path& root) {
    const std::string screens = setup.Screens().string() + kSlash;
    const auto start = Clock::now();
    for (const auto& entry : fs::directory_iterator(root / "layouts")) {
        const std::string target = entry.path().string() + kSlash + "loading.png";
        BareCopy(screens + LayoutName(entry) + ".png", target + ".tmp");
        BareRename(target + ".tmp", target);
    }
    return Seconds(start);
}

double BareDeleteAll(const fs::path& root) {
    const auto start = Clock::now();
    for (const auto& entry : fs::directory_iterator(root / "layouts"))
        BareDelete(entry.path().string() + kSlash + "loading.png");
    return Seconds(start);
}

struct Series {
    std::vector<double> install, remove;
};

// One run of every method on trees of their own, alternating.
void RunOnce(const Setup& setup, int r, std::vector<Series>& series, bool python) {
    const std::string run = std::to_string(r);
    const size_t methods = python ? 5 : 4;
    // The trees are made in turn too: where a tree's inodes fall, among
    // those the last run freed, weighs on the file system's allocation.
    std::vector<fs::path> trees(methods);
    static const char* const kNames[] = {"ours-", "bare-", "store-", "safe-", "python-"};
    for (size_t k = 0; k < methods; ++k) {
        const size_t method = (k + static_cast<size_t>(r)) % methods;
        trees[method] = MakeLayoutTree(setup, kNames[method] + run);
    }
    const fs::path ours = trees[0];
    const fs::path bare = trees[1];
    const fs::path store = trees[2];
    const fs::path safe = trees[3];
    const fs::path other = python ? trees[4] : fs::path();
    const auto install = [&](Series& into, const fs::path& tree, auto&& how) {
        Prepare(setup.Screens());
        into.install.push_back(how(tree));
        Check("install", tree / "layouts", setup.Layouts());
    };
    const auto remove = [&](Series& into, const fs::path& tree, auto&& how) {
        Prepare(tree / "layouts");
        into.remove.push_back(how(tree));
        Check("delete", tree / "layouts", 0);
    };
    // Each method goes first in turn: the file system's state after one
    // method's writes is not held against the one that follows it.
    const std::vector<std::function<void()>> installs = {
        [&] {
            install(series[0], ours, [&](const fs::path& t) { return HeadlessInstall(setup, t); });
        },
        [&] { install(series[1], bare, [&](const fs::path& t) { return BareInstall(setup, t); }); },
        [&] {
            install(series[2], store,
                    [&](const fs::path& t) { return HeadlessInstall(setup, t, true); });
        },
        [&] { install(series[3], safe, [&](const fs::path& t) { return SafeInstall(setup, t); }); },
        [&] {
            install(series[4], other, [&](const fs::path& t) { return PythonInstall(setup, t); });
        },
    };
    const std::vector<std::function<void()>> removals = {
        [&] { remove(series[0], ours, [](const fs::path& t) { return HeadlessDelete(t); }); },
        [&] { remove(series[1], bare, [](const fs::path& t) { return BareDeleteAll(t); }); },
        [&] {
            remove(series[2], store, [](const fs::path& t) { return HeadlessDelete(t, true); });
        },
        [&] { remove(series[3], safe, [](const fs::path& t) { return BareDeleteAll(t); }); },
        [&] { remove(series[4], other, [](const fs::path& t) { return FindDelete(t); }); },
    };
    for (size_t k = 0; k < methods; ++k)
        installs[(k + static_cast<size_t>(r)) % methods]();
    for (size_t k = 0; k < methods; ++k)
        removals[(k + static_cast<size_t>(r)) % methods]();
    std::printf("run %d  install: ours %.3f s  bare %.3f s  with store %.3f s  safe %.3f s%s\n", r,
                series[0].install.back(), series[1].install.back(), series[2].install.back(),
                series[3].install.back(),
                python ? (" python " + std::to_string(series[4].install.back())).c_str() : "");
    std::printf("run %d  delete:  ours %.3f s  bare %.3f s  with store %.3f s\n", r,
                series[0].remove.back(), series[1].remove.back(), series[2].remove.back());
}

} // namespace

int main(int argc, char** argv) {
    ShowOutputLineByLine();
    const Setup setup = ParseSetup(argc, argv, "layouts-bench");
    PrintSetup(setup);
    MakeScreens(setup);
    const bool python = ToolExists("python3") && ToolExists("find");
    // ours, bare loop, ours with the undo store, copy-and-rename loop,
    // Python and find.
    std::vector<Series> series(5);
    for (int r = 0; r < setup.runs; ++r)
        RunOnce(setup, r, series, python);
    Report("install", "ours", series[0].install, "bare", series[1].install);
    Report("install", "ours", series[0].install, "copy and rename", series[3].install);
    Report("delete", "ours", series[0].remove, "bare", series[1].remove);
    Report("install, undo store", "kept", series[2].install, "bare", series[1].install);
    Report("delete, undo store", "kept", series[2].remove, "bare", series[1].remove);
    Report("install, undo store", "kept", series[2].install, "none", series[0].install);
    Report("delete, undo store", "kept", series[2].remove, "none", series[0].remove);
    if (python) {
        Report("install", "ours", series[0].install, "python", series[4].install);
        Report("delete", "ours", series[0].remove, "find", series[4].remove);
    }
    RemoveWork(setup);
    return 0;
}
