#include "Form1Operations.h"

#include "operations/UnzipScreens.h"

Form1Operations DefaultOperations() {
    Form1Operations operations;
    // TO WIRE: install (InstallLoadingScreens), download (DownloadScreens) and
    // deleteLoadingScreens (DeleteLoadingScreens), in the same way.
    operations.unzip = [](MainWindowPort& window, LayoutState&) { UnzipScreens(window); };
    operations.offerUnzipAtStart = [](MainWindowPort& window, LayoutState&) {
        OfferUnzipAtStart(window);
    };
    operations.deleteTemporaryFiles = [](MainWindowPort& window, LayoutState&) {
        DeleteTemporaryFiles(window);
    };
    return operations;
}
