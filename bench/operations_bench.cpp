// One operation of the program, timed, by the core alone with a window that
// draws nothing: the figure the window of the same operation is measured
// against (bench/win32_window_bench.sh runs both under Wine, alternating).
//
//   operations_bench PROGRAM-FOLDER LAYOUTS SCREENS install|delete|undo
//   operations_bench PROGRAM-FOLDER LAYOUTS SCREENS install-without-undo
//   operations_bench PROGRAM-FOLDER ARCHIVE FOLDER unzip
//
// The undo store lives in PROGRAM-FOLDER, as the program keeps it beside
// itself. Prints "seconds S".
#include "operations/DeleteScreens.h"
#include "operations/InstallScreens.h"
#include "operations/UndoLastOperation.h"
#include "services/Machine.h"
#include "support/BenchArchives.h"
#include "support/BenchPlatform.h"
#include "support/LayoutTrees.h"
#include "zip/ZipExtractionClass.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace bench;

namespace {

bool Unzip(const std::string& archive, const std::string& folder) {
    return ExtractArchiveWhole(archive, folder);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: operations_bench PROGRAM-FOLDER LAYOUTS SCREENS "
                             "install|install-without-undo|delete|undo, or PROGRAM-FOLDER "
                             "ARCHIVE FOLDER unzip\n");
        return 2;
    }
    Machine().programFolder = argv[1];
    const std::string operation = argv[4];
    QuietWindow window;
    window.layouts = argv[2];
    window.screens = argv[3];
    ProgramState program;
    LayoutState state;
    const UndoPlace place = ProgramUndoPlace(program.machine);
    const auto start = Clock::now();
    if (operation == "install")
        InstallLoadingScreens(window, program, state, &place);
    else if (operation == "install-without-undo")
        InstallLoadingScreens(window, program, state);
    else if (operation == "delete")
        DeleteLoadingScreens(window, program, state, &place);
    else if (operation == "undo")
        UndoLastOperation(window, program, state, place);
    else if (operation != "unzip" || !Unzip(argv[2], argv[3]))
        return 1;
    std::printf("seconds %.3f\n", Seconds(start));
    return 0;
}
