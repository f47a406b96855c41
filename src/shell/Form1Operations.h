#pragma once

#include "app/ProgramState.h"
#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"
#include "operations/UndoManifest.h"

#include <functional>
#include <optional>

// What the main window runs for its buttons, at its opening and at its
// closing. An empty entry does nothing. Tests give the window their own.
using WindowOperation = std::function<void(MainWindowPort&, ProgramState&, LayoutState&)>;

struct Form1Operations {
    WindowOperation install;              // Command3
    WindowOperation download;             // Command4
    WindowOperation deleteLoadingScreens; // Command5
    WindowOperation unzip;                // Command6
    WindowOperation offerUnzipAtStart;    // end of Form_Load
    WindowOperation deleteTemporaryFiles; // closing after an install
    WindowOperation undo;                 // MnuUndo
    // What the undo item would take back; nothing keeps it disabled.
    std::function<std::optional<UndoKind>(const ProgramState&)> undoable;
};

// The program's own operations.
Form1Operations DefaultOperations();
