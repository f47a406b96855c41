#include "operations/LayoutListing.h"

#include "services/FolderEntries.h"

static void AddLayoutName(LayoutState& state, std::string name) {
    ++state.LayoutCount;
    state.LayoutNames.resize(static_cast<size_t>(state.LayoutCount) + 1);
    state.LayoutNames.back() = std::move(name);
}

void ListLayouts(const std::string& layoutsPath, LayoutState& state, MainWindowPort& window) {
    state.LayoutCount = 0;
    state.LayoutNames.assign(1, std::string());
    // An unreadable folder, or one that fails halfway, lists what was read.
    ForEachFolderEntry(layoutsPath, [&](const std::string& name, bool hidden) {
        if (!hidden)
            AddLayoutName(state, name);
        window.YieldToWindow();
        return true;
    });
}
