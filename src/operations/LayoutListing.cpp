#include "operations/LayoutListing.h"

#include "services/FolderEntries.h"

static void AddLayoutName(LayoutState& state, std::string name, EntryKind kind) {
    ++state.LayoutCount;
    state.LayoutNames.push_back(std::move(name));
    state.LayoutKinds.push_back(kind);
}

void ListLayouts(const std::string& layoutsPath, LayoutState& state, MainWindowPort& window) {
    state.LayoutCount = 0;
    state.LayoutNames.assign(1, std::string());
    state.LayoutKinds.assign(1, EntryKind::Missing);
    // An unreadable folder, or one that fails halfway, lists what was read.
    ForEachListedEntry(layoutsPath, [&](const std::string& name, bool hidden, EntryKind kind) {
        if (!hidden)
            AddLayoutName(state, name, kind);
        window.YieldNowAndThen();
        return true;
    });
}

bool IsListedFolder(const LayoutState& state, int32_t index) {
    return state.LayoutKinds[static_cast<size_t>(index)] == EntryKind::Folder;
}
