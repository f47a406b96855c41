// The view of screens against the install's listing of the same tree: the
// install lists the layouts folder; the view lists it the same way, then
// for every layout looks at its folder, its loading.png and its screen,
// and proposes near names for those without one.
//
//   coverage_bench [work-folder] [layouts=10000] [runs=5] [screen-kb=150]
//
// The series alternate (A B C ...) on one warm tree; a third of the layouts
// already have a loading.png and one in ten has no screen. "The view's
// listing" is the same view with every layout marked "no screen wanted",
// so that no proposal waits: the view against it is what the rows waiting
// for proposals cost its opening. The proposals follow on the judge's
// thread, timed apart. The listing with one look per layout at its
// loading.png is the least any view could cost. Last, the proposals alone
// for as many layouts against as many screens, with names drifted as
// users' collections drift.
#include "operations/CoverageList.h"
#include "operations/LayoutListing.h"
#include "operations/NearScreens.h"
#include "operations/OperationSteps.h"
#include "operations/ScreenLinks.h"
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

// The view's opening; `proposals`, when given, gets the time the proposals
// then take off the window's thread.
double ViewListing(const std::string& layouts, const std::string& screens, size_t expected,
                   const ScreenLinks& links = {}, double* proposals = nullptr) {
    QuietWindow window;
    const auto start = Clock::now();
    CoverageListing listing = ListCoverage(window, layouts, screens, {}, links);
    const double seconds = Seconds(start);
    if (listing.rows.size() != expected)
        std::printf("warning: the view listed %zu layouts, not %zu\n", listing.rows.size(),
                    expected);
    if (proposals) {
        const auto proposing = Clock::now();
        ProposeNearScreens(listing);
        *proposals = Seconds(proposing);
    }
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

// Every layout of the tree marked "no screen wanted".
ScreenLinks NoneWanted(const std::string& layouts) {
    ScreenLinks links;
    for (const auto& entry : fs::directory_iterator(layouts))
        links.MarkNoScreenWanted(entry.path().filename().string());
    return links;
}

// Titles of a few words, some with a sequel number or a year, and the
// layouts' names drifted from them as in users' collections: a region
// tag, a reserved character, a moved article, a letter missing, another
// letter case; one in five is a title with no screen at all.
std::vector<std::string> Titles(size_t count, unsigned seed) {
    static const char* const kWords[] = {
        "Super",  "Mega",    "Dragon",  "Street",  "Fighter", "Knight",  "Racing",  "Star",
        "Wars",   "Legend",  "Quest",   "World",   "Soccer",  "Tennis",  "Golf",    "Ninja",
        "Turtle", "Sonic",   "Mario",   "Zelda",   "Metroid", "Castle",  "Shadow",  "Blade",
        "Rally",  "Space",   "Invader", "Galaxy",  "Force",   "Strike",  "Tactics", "Kombat",
        "Final",  "Fantasy", "Chrono",  "Trigger", "Pinball", "Puzzle",  "Tower",   "Defense",
        "Island", "Hunter",  "Ghost",   "Goblin",  "Arcade",  "Classic", "Turbo",   "Hyper"};
    constexpr size_t kWordCount = std::size(kWords);
    std::vector<std::string> titles;
    unsigned state = seed;
    const auto next = [&state](size_t bound) {
        state = state * 1103515245u + 12345u;
        return static_cast<size_t>((state >> 8) % bound);
    };
    while (titles.size() < count) {
        std::string title = kWords[next(kWordCount)];
        const size_t words = 1 + next(3);
        for (size_t w = 0; w < words; ++w)
            title += std::string(" ") + kWords[next(kWordCount)];
        switch (next(6)) {
        case 0:
            title += " " + std::to_string(2 + next(5));
            break;
        case 1:
            title += " " + std::to_string(1985 + next(25));
            break;
        case 2:
            title += " & " + std::string(kWords[next(kWordCount)]);
            break;
        default:
            title += " " + std::to_string(next(100000));
        }
        titles.push_back(title);
    }
    return titles;
}

std::string Drifted(const std::string& title, size_t i) {
    switch (i % 5) {
    case 0:
        return title + " (USA)";
    case 1: {
        std::string name = title;
        const size_t dropped = name.size() / 2;
        return name.erase(dropped, 1);
    }
    case 2:
        return title + " [!]";
    case 3:
        return "The " + title;
    default:
        return "Unreleased " + title + " Prototype";
    }
}

void Proposals(size_t count) {
    std::vector<std::string> screens = Titles(count, 7);
    for (std::string& screen : screens)
        for (char& c : screen)
            if (c == '&')
                c = '_';
    const std::vector<std::string> titles = Titles(count, 7);
    std::vector<std::string> layouts;
    for (size_t i = 0; i < count; ++i)
        layouts.push_back(Drifted(titles[i], i));
    const auto start = Clock::now();
    const NearScreens near(screens);
    const double built = Seconds(start);
    size_t proposed[4] = {};
    for (const std::string& layout : layouts)
        if (const std::optional<NearProposal> proposal = near.Propose(layout))
            ++proposed[static_cast<int>(proposal->rule)];
    std::printf("proposals  %zu layouts against %zu screens  %.3f s, %.3f s of it indexing the "
                "screens  (reserved %zu, short %zu, key %zu, close %zu)\n",
                count, count, Seconds(start), built, proposed[0], proposed[1], proposed[2],
                proposed[3]);
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

    const ScreenLinks noneWanted = NoneWanted(layouts);
    std::vector<double> view, viewListing, listing, floor;
    for (int r = 0; r < setup.runs; ++r) {
        double proposals = 0;
        view.push_back(ViewListing(layouts, screens, setup.Layouts(), {}, &proposals));
        viewListing.push_back(ViewListing(layouts, screens, setup.Layouts(), noneWanted));
        listing.push_back(InstallListing(layouts));
        floor.push_back(Floor(layouts));
        std::printf("run %d  view %.4f s (then its proposals %.4f s)  view's listing %.4f s  "
                    "install's listing %.4f s  listing + one look %.4f s\n",
                    r, view.back(), proposals, viewListing.back(), listing.back(), floor.back());
    }
    Report("proposals", "view", view, "view's listing", viewListing);
    Report("open", "view", view, "install's listing", listing);
    Report("floor", "listing + one look per layout", floor, "install's listing", listing);
    Proposals(setup.Layouts());
    RemoveWork(setup);
    return 0;
}
