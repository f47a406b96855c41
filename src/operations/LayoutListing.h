#pragma once

#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"

// Rebuilds LayoutNames and LayoutCount from the entries of `layoutsPath`, in
// the order the file system returns them. Entries the system counts hidden
// are left out; plain files are kept, the callers skip them. The
// window processes its events after every name.
void ListLayouts(const std::string& layoutsPath, LayoutState& state, MainWindowPort& window);
