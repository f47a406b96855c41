#include "operations/UndoLastOperation.h"

#include "operations/OperationSteps.h"
#include "operations/UndoJournal.h"
#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"
#include "services/PathText.h"
#include "services/RegionalFormat.h"

namespace {

struct UndoTotals {
    int64_t putBack = 0;
    int64_t removed = 0;
    int64_t left = 0;
};

struct UndoRun {
    const UndoManifest& manifest;
    std::string store;
    UndoTotals totals;
};

std::string KindText(UndoKind kind) {
    return kind == UndoKind::Install ? "install" : "delete";
}

void LeaveAlone(UndoRun& run, const UndoEntry& entry, const std::string& why) {
    WriteLog("  " + entry.name + "  " + why + ", left as it is");
    ++run.totals.left;
}

// A rename when it can, a copy otherwise; the kept file goes only once the
// copy is in place. The failure told is the last way tried.
Status Restore(const std::string& kept, const std::string& target) {
    if (Status moved = MoveOver(kept, target); moved)
        return moved;
    if (Status copied = CopyOver(kept, target); !copied)
        return copied;
    return RemoveFile(kept);
}

bool UndoEntryChange(UndoRun& run, const UndoEntry& entry) {
    const std::string target = LoadingPngOf(run.manifest.layoutsPath, entry.name);
    const std::string kept = KeptFileFound(run.store, entry.number);
    if (entry.kept && KindOf(kept) == EntryKind::Missing && !IsLinkItself(kept)) {
        LeaveAlone(run, entry, "the kept loading.png is missing from the undo store");
        return false;
    }
    const bool present = IsFile(target) || IsLinkItself(target);
    if (present && (!entry.after || StampOf(target) != entry.after)) {
        LeaveAlone(run, entry, "changed since the " + KindText(run.manifest.kind));
        return false;
    }
    if (!entry.kept) {
        if (present && !RemoveFile(target)) {
            LeaveAlone(run, entry, "Can 't delete " + target);
            return false;
        }
        WriteLog("  " + entry.name + (present ? "  copy removed" : "  copy already gone"));
        run.totals.removed += present;
        return true;
    }
    if (!Restore(kept, target)) {
        LeaveAlone(run, entry, "Error while copying " + kept + " to " + target);
        return false;
    }
    WriteLog("  " + entry.name + "  put back");
    ++run.totals.putBack;
    return true;
}

void UndoEntries(UndoRun& run, MainWindowPort& window) {
    // Open for the whole walk (one call per mark, not three), and closed
    // before the store is moved. The marks only spare a second undo the
    // entries already taken back: one left unmarked finds its kept file or
    // its copy gone and leaves the layout alone, which loses nothing. So a
    // journal that cannot be written does not stop the undo.
    UndoJournal journal;
    (void)journal.Reopen(run.store);
    const auto& entries = run.manifest.entries;
    const int32_t bound = static_cast<int32_t>(entries.size());
    for (int32_t i = bound - 1; i >= 0; --i) {
        DrawStep(window, bound - i, bound, "Undoing...");
        const UndoEntry& entry = entries[static_cast<size_t>(i)];
        // An install that stopped between journaling a copy and placing it
        // left the copy beside the layout's loading.png.
        if (run.manifest.kind == UndoKind::Install && !entry.done)
            RemoveTemporaryLeftovers(LoadingPngOf(run.manifest.layoutsPath, entry.name));
        // Marked as it goes, so an undo that stops halfway is not repeated.
        if (!entry.settled && UndoEntryChange(run, entry))
            (void)journal.Undone(entry.number); // see above
    }
    (void)journal.Close(); // no mark waits: nothing to lose
    for (int32_t line = 0; line < run.manifest.damagedLines; ++line)
        WriteLog("  An unreadable line of the undo store was skipped");
    run.totals.left += run.manifest.damagedLines;
}

// A store with files left in it moves aside under a name of its own: the
// next operation replaces "Undo", and these are files nobody got back.
// Should it not move, it stays the store, and goes to the bin when replaced.
std::string SetAsideOrRemove(const UndoPlace& place, const std::string& store) {
    if (!HoldsKeptFiles(store)) {
        // An empty store left behind offers nothing: its journal is all settled.
        (void)ShellDelete(store, true);
        return {};
    }
    return SetUndoStoreAside(place, store).ValueOr(store);
}

bool StoreIsSettled(MainWindowPort& window, const ProgramState& program, const UndoPlace& place) {
    if (SettleUndoStore(place))
        return true;
    WriteLog("Undo refused: the store of the last operation cannot take its place");
    window.ShowMessage(WithLineBreaks(WithValues(program.Messages[kMsgUndoStoreUnsettled],
                                                 {UndoStoreFolder(place) + ".new"})),
                       MessageIcon::Exclamation);
    return false;
}

bool StoreIsUsable(MainWindowPort& window, const ProgramState& program,
                   const Result<UndoManifest>& manifest, const std::string& store) {
    if (!manifest) {
        window.ShowMessage(
            WithLineBreaks(WithValues(program.Messages[kMsgUndoStoreUnreadable], {store})),
            MessageIcon::Exclamation);
        return false;
    }
    // A blank folder would lead the undo to the current folder or the root.
    if (FolderOfField(manifest->layoutsPath).empty()) {
        WriteLog("Undo refused: the folder of layouts is blank");
        window.ShowMessage(program.Messages[kMsgLayoutsFolderInvalid], MessageIcon::Exclamation);
        return false;
    }
    if (IsFolder(manifest->layoutsPath))
        return true;
    WriteLog("Undo refused: the folder of layouts is no longer there: " + manifest->layoutsPath);
    window.ShowMessage(WithLineBreaks(WithValues(program.Messages[kMsgUndoFolderMissing],
                                                 {manifest->layoutsPath})),
                       MessageIcon::Exclamation);
    return false;
}

std::string ResultText(const ProgramState& program, const UndoTotals& totals,
                       const std::string& aside) {
    std::string text = WithValues(program.Messages[kMsgUndoResult],
                                  {program.Messages.Counted(kCountScreensPutBack, totals.putBack),
                                   program.Messages.Counted(kCountCopiesRemoved, totals.removed),
                                   program.Messages.Counted(kCountLeftAlone, totals.left)});
    if (!aside.empty())
        text +=
            "\r\n\r\n" + WithLineBreaks(WithValues(program.Messages[kMsgUndoLeftovers], {aside}));
    return text;
}

// An undo of a delete puts back only, one of an install without Overwrite
// removes only: the question names the one thing it will do.
std::string UndoQuestion(const ProgramState& program, int64_t kept, int64_t added) {
    const std::string screens = program.Messages.Counted(kCountLoadingScreens, kept);
    const std::string copies = program.Messages.Counted(kCountCopies, added);
    if (added == 0 && kept > 0)
        return WithValues(program.Messages[kMsgConfirmUndoPutBack], {screens});
    if (kept == 0 && added > 0)
        return WithValues(program.Messages[kMsgConfirmUndoRemove], {copies});
    return WithValues(program.Messages[kMsgConfirmUndo], {screens, copies});
}

} // namespace

void UndoLastOperation(MainWindowPort& window, ProgramState& program, LayoutState& state,
                       const UndoPlace& place) {
    const LayoutListClaim claim(state);
    if (!claim.Claimed())
        return;
    if (!StoreIsSettled(window, program, place))
        return;
    const Result<UndoManifest> manifest = ReadUndoStore(place);
    const std::string store = UndoStoreFolder(place);
    if (!StoreIsUsable(window, program, manifest, store))
        return;
    if (!window.AskYesNo(UndoQuestion(program, KeptCount(*manifest), AddedCount(*manifest))))
        return;
    window.SetHourglass(true);
    window.SetProgressVisible(true);
    WriteLog(" ");
    WriteLog("Undo last " + KindText(manifest->kind), "", true);
    WriteLog(" LayoutsPath=" + manifest->layoutsPath);
    UndoRun run{*manifest, store, {}};
    UndoEntries(run, window);
    WriteLog("Total: " + std::to_string(run.totals.putBack) + " put back, " +
             std::to_string(run.totals.removed) + " copies removed, " +
             std::to_string(run.totals.left) + " left.");
    const std::string aside = SetAsideOrRemove(place, store);
    if (!aside.empty())
        WriteLog(" Files not put back are kept in " + aside);
    window.SetHourglass(false);
    window.ShowMessage(ResultText(program, run.totals, aside), MessageIcon::Information);
    window.SetProgressVisible(false);
}
