#include "Form1Operations.h"

#include "operations/DownloadScreens.h"
#include "operations/UnzipScreens.h"

Form1Operations DefaultOperations() {
    Form1Operations operations;
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
