#include "operations/UndoStore.h"

#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/FolderEntries.h"
#include "services/LogFile.h"
#include "services/Machine.h"
#include "services/PathText.h"

namespace {

constexpr const char* kStoreName = "Undo";

std::string NewFolderOf(const UndoPlace& place) {
    return UndoStoreFolder(place) + ".new";
}

std::string OldFolderOf(const UndoPlace& place) {
    return UndoStoreFolder(place) + ".old";
}

bool Exists(const std::string& path) {
    return KindOf(path) != EntryKind::Missing;
}

void Step(const UndoPlace& place) {
    if (place.afterStep)
        place.afterStep();
}

// The store that could not be settled and was told in the log: the menu
// asks after the store at each refresh, and a store that stays stuck is
// told once, until it settles.
std::string& StuckStoreTold() {
    static std::string waiting;
    return waiting;
}

Status SwapFailed(const UndoPlace& place, Failure failure) {
    const std::string waiting = NewFolderOf(place);
    if (StuckStoreTold() != waiting)
        WriteLog(" Undo store cannot be settled: the last operation's store waits in " + waiting);
    StuckStoreTold() = waiting;
    return failure;
}

// A store leaves the way free without losing a picture: to the system's
// bin, or when no bin takes it, set aside under a name of its own.
Status LeaveWithoutLoss(const UndoPlace& place, const std::string& store) {
    if (Status retired = RetireUndoStore(store); retired)
        return retired;
    Result<std::string> aside = SetUndoStoreAside(place, store);
    if (!aside)
        return aside.Error();
    WriteLog(" The replaced undo store is kept in " + *aside);
    return Success();
}

Status ClearOldName(const UndoPlace& place) {
    const std::string old = OldFolderOf(place);
    if (!Exists(old) && !IsLinkItself(old))
        return Success();
    return LeaveWithoutLoss(place, old);
}

// The old store goes aside first, so that at every moment one of the two
// names holds a whole store.
Status SwapIn(const UndoPlace& place) {
    const std::string store = UndoStoreFolder(place);
    if (Status cleared = ClearOldName(place); !cleared)
        return SwapFailed(place, cleared.Error());
    if (Exists(store))
        if (Status moved = MoveWithoutReplacing(store, OldFolderOf(place)); !moved)
            return SwapFailed(place, moved.Error());
    Step(place);
    if (Status moved = MoveWithoutReplacing(NewFolderOf(place), store); !moved)
        return SwapFailed(place, moved.Error());
    Step(place);
    StuckStoreTold().clear();
    // The new store is in place; an old one left over is cleared next time.
    (void)ClearOldName(place);
    return Success();
}

// A copy made durable, then the original goes. Should the original stay,
// the copy goes too, unless it cannot: the file is then whole in both
// places, and the copy in the store is what counts.
Status MoveAcrossVolumes(const std::string& from, const std::string& to) {
    if (Status copied = CopyFlushed(from, to); !copied)
        return copied;
    Status removed = RemoveFile(from);
    if (removed || !RemoveFile(to))
        return Success();
    return removed;
}

} // namespace

UndoPlace ProgramUndoPlace(const MachineFacts& machine) {
    return UndoPlace{WithTrailingSeparator(machine.programFolder), {}};
}

std::string UndoStoreFolder(const UndoPlace& place) {
    return place.folder + kStoreName;
}

// Empty group folders, left by an undo that put every file back, hold nothing.
bool HoldsKeptFiles(const std::string& store) {
    const std::string kept = KeptFolderOf(store);
    bool any = Exists(kept) && !IsFolder(kept);
    ForEachListedEntry(kept, [&](const std::string& name, bool, EntryKind kind) {
        if (kind != EntryKind::Folder || IsLinkItself(kept + kSeparator + name)) {
            any = true;
            return false;
        }
        ForEachFolderEntry(kept + kSeparator + name, [&](const std::string&, bool) {
            any = true;
            return false;
        });
        return !any;
    });
    return any;
}

Status RetireUndoStore(const std::string& store) {
    if (!HoldsKeptFiles(store))
        return ShellDelete(store, true);
    Status binned = ShellDelete(store, false);
    WriteLog(binned ? " The replaced undo store went to the system's bin: " + store
                    : " No bin takes the replaced undo store: " + store);
    return binned;
}

Result<std::string> SetUndoStoreAside(const UndoPlace& place, const std::string& store) {
    Status moved = FailureOf(FailureCause::NameTaken, "set aside " + store);
    for (int number = 1; number < 1000; ++number) {
        const std::string aside = place.folder + "Undo kept " + std::to_string(number);
        if (Exists(aside) || IsLinkItself(aside))
            continue;
        moved = MoveWithoutReplacing(store, aside);
        if (moved)
            return aside;
    }
    return moved.Error();
}

Status SettleUndoStore(const UndoPlace& place) {
    UndoPlace quiet = place;
    quiet.afterStep = nullptr;
    const std::string fresh = NewFolderOf(place);
    // Without its journal an unfinished store holds nothing the undo could
    // put back: no file is taken before the journal exists. Should a picture
    // be there all the same (a journal lost by the disk), it is not destroyed.
    if (Exists(fresh) && !Exists(JournalPathOf(fresh)))
        if (Status left = LeaveWithoutLoss(quiet, fresh); !left)
            return SwapFailed(place, left.Error());
    if (Exists(fresh))
        return SwapIn(quiet);
    // What is left under the old name was replaced by a later operation,
    // even when no store is there (undone since): it is never offered
    // again. Should it stay, it is tried again next time.
    (void)ClearOldName(quiet);
    return Success();
}

Result<UndoManifest> ReadUndoStore(const UndoPlace& place) {
    // An older store read while the last operation's waits would take back
    // the operation before the last.
    if (Status settled = SettleUndoStore(place); !settled)
        return settled.Error();
    return ReadJournal(UndoStoreFolder(place));
}

// A store that cannot take its place still names the operation that came
// last: the item offers it, and the undo says why it cannot go ahead yet.
std::optional<UndoKind> UndoableOperation(const UndoPlace& place) {
    Result<UndoManifest> manifest = ReadUndoStore(place);
    if (!manifest && Exists(NewFolderOf(place)))
        manifest = ReadJournal(NewFolderOf(place));
    if (!manifest || KeptCount(*manifest) + AddedCount(*manifest) == 0)
        return std::nullopt;
    return manifest->kind;
}

UndoRecorder::UndoRecorder(const UndoPlace* place, UndoKind kind, const std::string& layoutsPath,
                           const std::string& time)
    : place_(place) {
    if (!place_)
        return;
    // A store that cannot settle is logged there, and keeps "Undo.new"
    // taken: the start below fails then and says so.
    (void)SettleUndoStore(*place_);
    folder_ = NewFolderOf(*place_);
    ready_ = journal_.Start(folder_, kind, layoutsPath, time);
    if (!ready_)
        WriteLog(" Undo store cannot be made: " + folder_);
}

void UndoRecorder::Step() const {
    if (place_ && place_->afterStep)
        place_->afterStep();
}

UndoEntryNumber UndoRecorder::Begin(const std::string& name, bool keeping,
                                    const std::optional<ContentStamp>& after) {
    if (!place_)
        return int64_t{0};
    if (!ready_)
        return ready_.Error();
    Status journaled = journal_.Begin(UndoEntry{next_, keeping, after, name, false});
    if (!journaled) {
        // A name the journal cannot hold stops that layout only.
        if (!journaled.Failed(FailureCause::BadName))
            ready_ = journaled;
        return journaled.Error();
    }
    Step();
    ++unsettled_;
    return next_++;
}

Status UndoRecorder::Keep(const UndoEntryNumber& entry, const std::string& path) {
    if (!place_)
        return Success();
    if (!entry)
        return entry.Error();
    if (!ready_)
        return ready_;
    const std::string kept = KeptFileOf(folder_, *entry);
    if (Status grouped = MakeGroupOf(*entry); !grouped)
        return grouped;
    Status moved = MoveWithoutReplacing(path, kept);
    if (moved.Failed(FailureCause::OtherVolume))
        moved = MoveAcrossVolumes(path, kept);
    if (moved)
        Step();
    return moved;
}

Status UndoRecorder::MakeGroupOf(int64_t number) {
    const std::string group = KeptGroupOf(folder_, number);
    if (group == madeGroup_)
        return Success();
    Status made = CreateFolder(group);
    if (!made && !made.Failed(FailureCause::NameTaken))
        return made;
    madeGroup_ = group;
    return Success();
}

Status UndoRecorder::PutBack(const UndoEntryNumber& entry, const std::string& path) {
    if (!place_)
        return Success();
    if (!entry)
        return entry.Error();
    const std::string kept = KeptFileOf(folder_, *entry);
    Status moved = MoveWithoutReplacing(kept, path);
    if (!moved.Failed(FailureCause::OtherVolume))
        return moved;
    if (Status copied = CopyFlushed(kept, path); !copied)
        return copied;
    return RemoveFile(kept);
}

void UndoRecorder::Done(const UndoEntryNumber& entry) {
    if (!place_ || !entry)
        return;
    Step();
    journal_.Done(*entry);
    Step();
}

void UndoRecorder::Fail(const UndoEntryNumber& entry) {
    if (!place_ || !entry)
        return;
    if (Status marked = journal_.Fail(*entry); !marked)
        ready_ = marked;
    --unsettled_;
}

void UndoRecorder::Finish() {
    if (Status closed = journal_.Close(); !closed && ready_)
        ready_ = closed;
    if (!place_ || !ready_)
        return;
    // An operation that changed nothing leaves the store of the one before
    // offered; its own store holds no file.
    if (unsettled_ == 0 && !HoldsKeptFiles(folder_) && ShellDelete(folder_, true))
        return;
    // A store that cannot swap in is logged, and waits under "Undo.new" to
    // be settled at the next start or undo.
    (void)SwapIn(*place_);
}
