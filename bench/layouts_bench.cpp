// Install and delete of loading screens over a generated tree of layout
// folders, run through the program's own operations with a window that
// draws nothing, against a Python shutil.copyfile loop (install) and
// `find -name loading.png -delete` (delete) on identical trees; then the
// program's own install and delete with the undo store kept against
// without it.
//
//   layouts_bench [work-folder] [layouts=10000] [runs=5] [screen-kb=150]
//
// The methods alternate (A B A B ...); before each timed run the data is
// written back and the input read once, untimed.
#include "support/BenchPlatform.h"
#include "support/LayoutTrees.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using namespace bench;

namespace {

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

// The store costs an install without Overwrite only its journal, and a
// delete a rename in place of the removal.
void CompareUndoStore(const Setup& setup) {
    std::vector<double> installPlain, installStore, deletePlain, deleteStore;
    for (int r = 0; r < setup.runs; ++r) {
        const fs::path plain = MakeLayoutTree(setup, "plain-" + std::to_string(r));
        const fs::path store = MakeLayoutTree(setup, "store-" + std::to_string(r));
        Prepare(setup.Screens());
        installPlain.push_back(HeadlessInstall(setup, plain));
        Prepare(setup.Screens());
        installStore.push_back(HeadlessInstall(setup, store, true));
        Prepare(plain / "layouts");
        deletePlain.push_back(HeadlessDelete(plain));
        Check("delete without store", plain / "layouts", 0);
        Prepare(store / "layouts");
        deleteStore.push_back(HeadlessDelete(store, true));
        Check("delete with store", store / "layouts", 0);
        std::printf("run %d  undo store: install %.3f s / %.3f s  delete %.3f s / %.3f s\n", r,
                    installStore.back(), installPlain.back(), deleteStore.back(),
                    deletePlain.back());
    }
    Report("install, undo store", "kept", installStore, "none", installPlain);
    Report("delete, undo store", "kept", deleteStore, "none", deletePlain);
}

} // namespace

int main(int argc, char** argv) {
    ShowOutputLineByLine();
    const Setup setup = ParseSetup(argc, argv, "layouts-bench");
    PrintSetup(setup);
    MakeScreens(setup);

    std::vector<fs::path> oursTrees, pythonTrees;
    std::vector<double> oursInstall, pythonInstall, oursDelete, findDelete;
    for (int r = 0; r < setup.runs; ++r) {
        oursTrees.push_back(MakeLayoutTree(setup, "ours-" + std::to_string(r)));
        pythonTrees.push_back(MakeLayoutTree(setup, "python-" + std::to_string(r)));
        Prepare(setup.Screens());
        oursInstall.push_back(HeadlessInstall(setup, oursTrees.back()));
        Check("ours install", oursTrees.back() / "layouts", setup.Layouts());
        Prepare(setup.Screens());
        pythonInstall.push_back(PythonInstall(setup, pythonTrees.back()));
        Check("python install", pythonTrees.back() / "layouts", setup.Layouts());
        std::printf("run %d  install: ours %.3f s  python %.3f s\n", r, oursInstall.back(),
                    pythonInstall.back());
    }
    for (size_t r = 0; r < oursTrees.size(); ++r) {
        Prepare(oursTrees[r] / "layouts");
        oursDelete.push_back(HeadlessDelete(oursTrees[r]));
        Check("ours delete", oursTrees[r] / "layouts", 0);
        Prepare(pythonTrees[r] / "layouts");
        findDelete.push_back(FindDelete(pythonTrees[r]));
        Check("find delete", pythonTrees[r] / "layouts", 0);
        std::printf("run %zu  delete:  ours %.3f s  find %.3f s\n", r, oursDelete.back(),
                    findDelete.back());
    }
    Report("install", "ours", oursInstall, "python", pythonInstall);
    Report("delete", "ours", oursDelete, "find", findDelete);
    CompareUndoStore(setup);
    RemoveWork(setup);
    return 0;
}
