#pragma once

#include "app/ProgramState.h"
#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"

// The install behind the main window's install button: every layout folder
// of LayoutsPath receives the screen of its own name from SourcePath as its
// loading.png, then, with "Use default screen" checked, the source folder's
// own loading.png. Every decision goes to the log; the count ends in a box.
void InstallLoadingScreens(MainWindowPort& window, ProgramState& program, LayoutState& state);
