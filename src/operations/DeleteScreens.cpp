#include "operations/DeleteScreens.h"

#include "operations/LayoutListing.h"
#include "operations/OperationSteps.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"

namespace {

int32_t DeleteListedScreens(MainWindowPort& window, const std::string& layoutsPath,
                            const LayoutState& state) {
    int32_t deleted = 0;
    const int32_t bound = state.LayoutCount;
    for (int32_t i = 1; i <= bound; ++i) {
        DrawStep(window, i, bound, "Deleting...");
        const std::string target =
            LoadingPngOf(layoutsPath, state.LayoutNames[static_cast<size_t>(i)]);
        if (!IsFile(target))
            continue;
        if (ShellDelete(target, true)) {
            ++deleted;
            WriteLog("Delete " + target);
        } else {
            WriteLog("Can 't delete " + target);
        }
    }
    return deleted;
}

} // namespace

void DeleteLoadingScreens(MainWindowPort& window, ProgramState& program, LayoutState& state) {
    const LayoutListClaim claim(state);
    if (!claim.Claimed())
        return;
    if (!TakeLayoutsFolder(window, program) ||
        !window.AskYesNo(program.Messages[kMsgConfirmDelete]))
        return;
    window.SetHourglass(true);
    WriteLog(" ");
    WriteLog("Delete all loading screens", "", true);
    WriteLog(" LayoutsPath=" + program.LayoutsPath);
    window.SetProgressVisible(true);
    ListLayouts(program.LayoutsPath, state, window);

    const int32_t deleted = DeleteListedScreens(window, program.LayoutsPath, state);
    WriteLog("Total: " + std::to_string(deleted) + " files deleted.");

    window.SetHourglass(false);
    window.ShowMessage(std::to_string(deleted) + " files deleted.", MessageIcon::Information);
    window.SetProgressVisible(false);
}
