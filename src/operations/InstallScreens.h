#pragma once

#include "app/ProgramState.h"
#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"
#include "operations/UndoStore.h"

// The install behind the main window's install button: every layout folder
// of LayoutsPath receives the screen of its own name from SourcePath as its
// loading.png, then, with "Use default screen" checked, the source folder's
// own loading.png. Every decision goes to the log; the count ends in a box.
// With an undo place, every copy is journalled there and every loading.png
// it replaces is kept, so the install can be undone.
void InstallLoadingScreens(MainWindowPort& window, ProgramState& program, LayoutState& state,
                           const UndoPlace* undo = nullptr);
