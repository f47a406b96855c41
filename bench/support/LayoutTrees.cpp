#include "LayoutTrees.h"

#include "BenchPlatform.h"
#include "operations/DeleteScreens.h"
#include "operations/InstallScreens.h"
#include "operations/LayoutState.h"
#include "services/Machine.h"
#include "services/PathText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace bench {

namespace {

std::string LayoutName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "Layout %05d", i);
    return name;
}

int PositiveArgument(int argc, char** argv, int index, int fallback) {
    return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}

} // namespace

Setup ParseSetup(int argc, char** argv, const std::string& benchName) {
    Setup setup;
    setup.work = argc > 1 ? fs::path(argv[1])
                          : fs::temp_directory_path() /
                                ("orvane-" + benchName + "-" + std::to_string(ProcessNumber()));
    setup.layouts = PositiveArgument(argc, argv, 2, setup.layouts);
    setup.runs = PositiveArgument(argc, argv, 3, setup.runs);
    setup.screenKb = PositiveArgument(argc, argv, 4, setup.screenKb);
    return setup;
}

void PrintSetup(const Setup& setup) {
    std::printf("%d layouts, %d KB screens, %d runs each, in %s\n", setup.layouts, setup.screenKb,
                setup.runs, PathText(setup.work).c_str());
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

void Prepare(const fs::path& folder) {
    FlushFileSystem();
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

void Check(const char* what, const fs::path& layouts, size_t expected) {
    const size_t found = CountLoadingScreens(layouts);
    if (found != expected)
        std::printf("  WARNING %s: %zu loading.png, expected %zu in %s\n", what, found, expected,
                    PathText(layouts).c_str());
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::ranges::sort(values);
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Report(const char* what, const char* nameA, const std::vector<double>& a, const char* nameB,
            const std::vector<double>& b) {
    const double medianA = Median(a), medianB = Median(b);
    std::printf("%-8s %s median %.3f s   %s median %.3f s   %s/%s = %.2f\n", what, nameA, medianA,
                nameB, medianB, nameA, nameB, medianA / medianB);
}

double HeadlessInstall(const Setup& setup, const fs::path& root, bool undo) {
    Machine().programFolder = root.string();
    QuietWindow window;
    window.layouts = (root / "layouts").string();
    window.screens = setup.Screens().string();
    ProgramState program;
    LayoutState state;
    const UndoPlace place = ProgramUndoPlace(program.machine);
    const auto start = Clock::now();
    InstallLoadingScreens(window, program, state, undo ? &place : nullptr);
    return Seconds(start);
}

double HeadlessDelete(const fs::path& root, bool undo) {
    Machine().programFolder = root.string();
    QuietWindow window;
    window.layouts = (root / "layouts").string();
    ProgramState program;
    LayoutState state;
    const UndoPlace place = ProgramUndoPlace(program.machine);
    const auto start = Clock::now();
    DeleteLoadingScreens(window, program, state, undo ? &place : nullptr);
    return Seconds(start);
}

void RemoveWork(const Setup& setup) {
    std::error_code error;
    fs::remove_all(setup.work, error);
    if (error)
        std::printf("  WARNING could not remove %s: %s\n", PathText(setup.work).c_str(),
                    error.message().c_str());
}

} // namespace bench
