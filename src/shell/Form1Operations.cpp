#include "shell/Form1Operations.h"

#include "operations/DeleteScreens.h"
#include "operations/DownloadScreens.h"
#include "operations/InstallScreens.h"
#include "operations/UndoLastOperation.h"
#include "operations/UnzipScreens.h"

Form1Operations DefaultOperations() {
    Form1Operations operations;
    // The place is read at each run: the program folder is known only once
    // the start-up has run.
    operations.install = [](MainWindowPort& window, ProgramState& program, LayoutState& state) {
        const UndoPlace place = ProgramUndoPlace(program.machine);
        InstallLoadingScreens(window, program, state, &place);
    };
    operations.deleteLoadingScreens = [](MainWindowPort& window, ProgramState& program,
                                         LayoutState& state) {
        const UndoPlace place = ProgramUndoPlace(program.machine);
        DeleteLoadingScreens(window, program, state, &place);
    };
    operations.undo = [](MainWindowPort& window, ProgramState& program, LayoutState& state) {
        UndoLastOperation(window, program, state, ProgramUndoPlace(program.machine));
    };
    operations.undoable = [](const ProgramState& program) {
        return UndoableOperation(ProgramUndoPlace(program.machine));
    };
    operations.download = [](MainWindowPort& window, ProgramState& program, LayoutState&) {
        DownloadScreens(window, program);
    };
    operations.unzip = [](MainWindowPort& window, ProgramState& program, LayoutState&) {
        UnzipScreens(window, program);
    };
    operations.offerUnzipAtStart = [](MainWindowPort& window, ProgramState& program, LayoutState&) {
        OfferUnzipAtStart(window, program);
    };
    operations.deleteTemporaryFiles = [](MainWindowPort& window, ProgramState& program,
                                         LayoutState&) { DeleteTemporaryFiles(window, program); };
    return operations;
}
