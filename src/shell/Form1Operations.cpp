#include "shell/Form1Operations.h"

#include "operations/DeleteScreens.h"
#include "operations/DownloadScreens.h"
#include "operations/InstallScreens.h"
#include "operations/UnzipScreens.h"

Form1Operations DefaultOperations() {
    Form1Operations operations;
    operations.install = InstallLoadingScreens;
    operations.deleteLoadingScreens = DeleteLoadingScreens;
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
