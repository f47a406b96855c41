#include "Form1Operations.h"

Form1Operations DefaultOperations() {
    Form1Operations operations;
    // TO WIRE: InstallLoadingScreens, DownloadScreens, DeleteLoadingScreens,
    // UnzipScreens, OfferUnzipAtStart and DeleteTemporaryFiles go here, e.g.
    //   operations.install = [](MainWindowPort& w, LayoutState& s) { InstallLoadingScreens(w, s);
    //   };
    return operations;
}
