#pragma once

#include "services/FileSystem.h"

#include <cstdint>
#include <string>
#include <vector>

// Main-window state shared by the install, the delete and the clean-up.
struct LayoutState {
    // Names from the last layout listing: entries 1 to LayoutCount (0 unused).
    std::vector<std::string> LayoutNames{std::string()};
    int32_t LayoutCount = 0;
    // What each name was when listed, the same way (0 unused): a layout's
    // folder is known from the listing, not looked at once more.
    std::vector<EntryKind> LayoutKinds{EntryKind::Missing};
    // An install ran to its end since the start (read when the window closes).
    bool InstallDone = false;
    // An install or delete is walking LayoutNames; another one started from a
    // yield meanwhile must not rebuild the list under it.
    bool OperationRunning = false;
};
