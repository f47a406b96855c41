#include "shell/Form1Operations.h"

#include "operations/DeleteScreens.h"
#include "operations/DownloadScreens.h"
#include "operations/InstallScreens.h"
#include "operations/UnzipScreens.h"

Form1Operations DefaultOperations() {
    Form1Operations operations;
    operations.install = [](MainWindowPort& window, LayoutState& state) {
        InstallLoadingScreens(window, state);
    };
    operations.deleteLoadingScreens = [](MainWindowPort& window, LayoutState& state) {
        DeleteLoadingScreens(window, state);
    };
    operations.download = [](MainWindowPort& window, LayoutState&) { DownloadScreens(window); };
    operations.unzip = [](MainWindowPort& window, LayoutState&) { UnzipScreens(window); };
    operations.offerUnzipAtStart = [](MainWindowPort& window, LayoutState&) {
        OfferUnzipAtStart(window);
    };
    operations.deleteTemporaryFiles = [](MainWindowPort& window, LayoutState&) {
        DeleteTemporaryFiles(window);
    };
    return operations;
}
