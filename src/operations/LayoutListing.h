#pragma once

#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"

// Rebuilds LayoutNames and LayoutCount from the entries of `layoutsPath`, in
// the order the file system returns them. Entries the system counts hidden
// are left out; plain files are kept, the callers skip them. The
// window processes its events now and then while the names come.
void ListLayouts(const std::string& layoutsPath, LayoutState& state, MainWindowPort& window);

// The listed name `index` (1 to LayoutCount) was a folder, or a link to one.
bool IsListedFolder(const LayoutState& state, int32_t index);
