#include "operations/LayoutListing.h"

#include "app/AppState.h"
#include "services/PathText.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

static bool IsHiddenName(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

static void AddLayoutName(LayoutState& state, std::string name) {
    ++state.LayoutCount;
    state.LayoutNames.resize(static_cast<size_t>(state.LayoutCount) + 1);
    state.LayoutNames.back() = std::move(name);
}

void ListLayouts(LayoutState& state, MainWindowPort& window) {
    state.LayoutCount = 0;
    state.LayoutNames.assign(1, std::string());
    std::error_code error;
    // An unreadable folder, or one that fails halfway, lists what was read.
    for (fs::directory_iterator it(FsPath(LayoutsPath), error), end; !error && it != end;
         it.increment(error)) {
        std::string name = PathText(it->path().filename());
        if (!IsHiddenName(name))
            AddLayoutName(state, std::move(name));
        window.YieldToWindow();
    }
}
