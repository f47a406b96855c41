// The view of screens against the install's listing of the same tree: the
// install lists the layouts folder; the view lists it the same way, then
// for every layout looks at its folder, its loading.png and its screen.
//
//   coverage_bench [work-folder] [layouts=10000] [runs=5] [screen-kb=150]
//
// The two alternate (A B A B ...) on one warm tree; a third of the layouts
// already have a loading.png and one in ten has no screen. A third series,
// the listing with one look per layout at its loading.png, is the least any
// view could cost.
#include "operations/CoverageList.h"
#include "operations/LayoutListing.h"
#include "operations/OperationSteps.h"
#include "services/FileSystem.h"
#include "support/BenchPlatform.h"
#include "support/LayoutTrees.h"

#include <cstdio>
#include <fstream>

using namespace bench;

namespace {

fs::path MakeTree(const Setup& setup) {
    const fs::path root = MakeLayoutTree(setup, "coverage");
    size_t i = 0;
    for (const auto& entry : fs::directory_iterator(root / "layouts")) {
        if (i % 3 == 0)
            std::ofstream(entry.path() / "loading.png") << "own";
        ++i;
    }
    for (size_t removed = 0; const auto& entry : fs::directory_iterator(setup.Screens()))
        if (removed++ % 10 == 0)
            fs::rename(entry.path(), fs::path(entry.path()).replace_extension(".hidden"));
    return root;
}

double InstallListing(const std::string& layouts) {
    QuietWindow window;
    LayoutState state;
    const auto start = Clock::now();
    ListLayouts(layouts, state, window);
    const double seconds = Seconds(start);
    if (state.LayoutCount <= 0)
        std::printf("warning: the listing found nothing\n");
    return seconds;
}

double ViewListing(const std::string& layouts, const std::string& screens, size_t expected) {
    QuietWindow window;
    const auto start = Clock::now();
    const std::vector<CoverageRow> rows = ListCoverage(window, layouts, screens, {});
    const double seconds = Seconds(start);
    if (rows.size() != expected)
        std::printf("warning: the view listed %zu layouts, not %zu\n", rows.size(), expected);
    return seconds;
}

// The least any view can do: the listing, then one look per layout at its
// loading.png (whether it has one cannot be known otherwise).
double Floor(const std::string& layouts) {
    QuietWindow window;
    LayoutState state;
    const auto start = Clock::now();
    ListLayouts(layouts, state, window);
    size_t found = 0;
    for (int32_t i = 1; i <= state.LayoutCount; ++i)
        found += IsLinkItself(LoadingPngOf(layouts, state.LayoutNames[static_cast<size_t>(i)]));
    const double seconds = Seconds(start);
    if (found != 0)
        std::printf("warning: links found\n");
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    ShowOutputLineByLine();
    const Setup setup = ParseSetup(argc, argv, "coverage-bench");
    PrintSetup(setup);
    MakeScreens(setup);
    const fs::path root = MakeTree(setup);
    const std::string layouts =
        (root / "layouts").string() + static_cast<char>(fs::path::preferred_separator);
    const std::string screens =
        setup.Screens().string() + static_cast<char>(fs::path::preferred_separator);
    Prepare(root);
    Prepare(setup.Screens());

    std::vector<double> view, listing, floor;
    for (int r = 0; r < setup.runs; ++r) {
        view.push_back(ViewListing(layouts, screens, setup.Layouts()));
        listing.push_back(InstallListing(layouts));
        floor.push_back(Floor(layouts));
        std::printf("run %d  view %.4f s  install's listing %.4f s  listing + one look %.4f s\n", r,
                    view.back(), listing.back(), floor.back());
    }
    Report("open", "view", view, "install's listing", listing);
    Report("floor", "listing + one look per layout", floor, "install's listing", listing);
    RemoveWork(setup);
    return 0;
}
