#include "operations/DeleteScreens.h"

#include "operations/LayoutListing.h"
#include "operations/OperationSteps.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"

namespace {

Status DeleteOne(UndoRecorder& undo, const std::string& name, const std::string& target) {
    if (!undo.Recording())
        return ShellDelete(target, true);
    const UndoEntryNumber entry = undo.Begin(name, true, std::nullopt);
    Status kept = undo.Keep(entry, target);
    if (kept)
        undo.Done(entry);
    else
        undo.Fail(entry);
    return kept;
}

int32_t DeleteListedScreens(MainWindowPort& window, const std::string& layoutsPath,
                            const LayoutState& state, UndoRecorder& undo) {
    int32_t deleted = 0;
    const int32_t bound = state.LayoutCount;
    for (int32_t i = 1; i <= bound; ++i) {
        DrawStep(window, i, bound, "Deleting...");
        const std::string& name = state.LayoutNames[static_cast<size_t>(i)];
        const std::string target = LoadingPngOf(layoutsPath, name);
        if (!IsFile(target))
            continue;
        if (DeleteOne(undo, name, target)) {
            ++deleted;
            WriteLog("Delete " + target);
        } else {
            WriteLog("Can 't delete " + target);
        }
    }
    return deleted;
}

} // namespace

void DeleteLoadingScreens(MainWindowPort& window, ProgramState& program, LayoutState& state,
                          const UndoPlace* undo) {
    const LayoutListClaim claim(state);
    if (!claim.Claimed())
        return;
    if (!TakeLayoutsFolder(window, program) ||
        !window.AskYesNo(program.Messages[kMsgConfirmDelete]))
        return;
    const LogKeptOpen log;
    window.SetHourglass(true);
    WriteLog(" ");
    WriteLog("Delete all loading screens", "", true);
    WriteLog(" LayoutsPath=" + program.LayoutsPath);
    window.SetProgressVisible(true);
    ListLayouts(program.LayoutsPath, state, window);

    UndoRecorder recorder(undo, UndoKind::Delete, program.LayoutsPath, program.machine.timeOfDay());
    const int32_t deleted = DeleteListedScreens(window, program.LayoutsPath, state, recorder);
    recorder.Finish();
    WriteLog("Total: " + std::to_string(deleted) + " files deleted.");

    window.SetHourglass(false);
    window.ShowMessage(std::to_string(deleted) + " files deleted.", MessageIcon::Information);
    window.SetProgressVisible(false);
}
