#include "operations/UndoStore.h"

#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/FolderEntries.h"
#include "services/LogFile.h"
#include "services/Machine.h"
#include "services/PathText.h"

namespace {

constexpr const char* kStoreName = "Undo";
constexpr const char* kManifestName = "manifest.txt";
constexpr const char* kKeptName = "kept";

std::string NewFolderOf(const UndoPlace& place) {
    return UndoStoreFolder(place) + ".new";
}

std::string OldFolderOf(const UndoPlace& place) {
    return UndoStoreFolder(place) + ".old";
}

std::string ManifestOf(const std::string& store) {
    return store + kSeparator + kManifestName;
}

bool Exists(const std::string& path) {
    return KindOf(path) != EntryKind::Missing;
}

void Step(const UndoPlace& place) {
    if (place.afterStep)
        place.afterStep();
}

bool SwapFailed(const UndoPlace& place) {
    WriteLog(" Undo store cannot be settled: the last operation's store waits in " +
             NewFolderOf(place));
    return false;
}

// A store leaves the way free without losing a picture: to the system's
// bin, or when no bin takes it, set aside under a name of its own.
bool LeaveWithoutLoss(const UndoPlace& place, const std::string& store) {
    if (RetireUndoStore(store))
        return true;
    const std::string aside = SetUndoStoreAside(place, store);
    if (!aside.empty())
        WriteLog(" The replaced undo store is kept in " + aside);
    return !aside.empty();
}

bool ClearOldName(const UndoPlace& place) {
    const std::string old = OldFolderOf(place);
    return (!Exists(old) && !IsLinkItself(old)) || LeaveWithoutLoss(place, old);
}

// The old store goes aside first, so that at every moment one of the two
// names holds a whole store.
bool SwapIn(const UndoPlace& place) {
    const std::string store = UndoStoreFolder(place);
    if (!ClearOldName(place) || (Exists(store) && !MoveWithoutReplacing(store, OldFolderOf(place))))
        return SwapFailed(place);
    Step(place);
    if (!MoveWithoutReplacing(NewFolderOf(place), store))
        return SwapFailed(place);
    Step(place);
    ClearOldName(place);
    return true;
}

} // namespace

UndoPlace ProgramUndoPlace() {
    return UndoPlace{ProgramFolderWithSeparator(), {}};
}

std::string UndoStoreFolder(const UndoPlace& place) {
    return place.folder + kStoreName;
}

bool HoldsKeptFiles(const std::string& store) {
    const std::string kept = store + kSeparator + kKeptName;
    bool any = Exists(kept) && !IsFolder(kept);
    ForEachFolderEntry(kept, [&](const std::string&, bool) {
        any = true;
        return false;
    });
    return any;
}

bool RetireUndoStore(const std::string& store) {
    if (!HoldsKeptFiles(store))
        return ShellDelete(store, true);
    if (ShellDelete(store, false)) {
        WriteLog(" The replaced undo store went to the system's bin: " + store);
        return true;
    }
    WriteLog(" No bin takes the replaced undo store: " + store);
    return false;
}

std::string SetUndoStoreAside(const UndoPlace& place, const std::string& store) {
    for (int number = 1; number < 1000; ++number) {
        const std::string aside = place.folder + "Undo kept " + std::to_string(number);
        if (!Exists(aside) && !IsLinkItself(aside) && MoveWithoutReplacing(store, aside))
            return aside;
    }
    return {};
}

bool SettleUndoStore(const UndoPlace& place) {
    UndoPlace quiet = place;
    quiet.afterStep = nullptr;
    const std::string fresh = NewFolderOf(place);
    // Without its journal an unfinished store holds nothing the undo could
    // put back: no file is taken before the journal exists. Should a picture
    // be there all the same (a journal lost by the disk), it is not destroyed.
    if (Exists(fresh) && !Exists(ManifestOf(fresh)) && !LeaveWithoutLoss(quiet, fresh))
        return SwapFailed(place);
    if (Exists(fresh))
        return SwapIn(quiet);
    // What is left under the old name was replaced by a later operation,
    // even when no store is there (undone since): it is never offered again.
    ClearOldName(quiet);
    return true;
}

std::optional<UndoManifest> ReadUndoStore(const UndoPlace& place) {
    // An older store read while the last operation's waits would take back
    // the operation before the last.
    if (!SettleUndoStore(place))
        return std::nullopt;
    const std::optional<std::string> text = ReadWholeFile(ManifestOf(UndoStoreFolder(place)));
    return text ? ParseManifest(*text) : std::nullopt;
}

// A store that cannot take its place still names the operation that came
// last: the item offers it, and the undo says why it cannot go ahead yet.
std::optional<UndoKind> UndoableOperation(const UndoPlace& place) {
    std::optional<UndoManifest> manifest = ReadUndoStore(place);
    if (!manifest && Exists(NewFolderOf(place))) {
        const std::optional<std::string> text = ReadWholeFile(ManifestOf(NewFolderOf(place)));
        manifest = text ? ParseManifest(*text) : std::nullopt;
    }
    if (!manifest || KeptCount(*manifest) + AddedCount(*manifest) == 0)
        return std::nullopt;
    return manifest->kind;
}

UndoRecorder::UndoRecorder(const UndoPlace* place, UndoKind kind, const std::string& layoutsPath)
    : place_(place) {
    if (!place_)
        return;
    SettleUndoStore(*place_);
    folder_ = NewFolderOf(*place_);
    ready_ = CreateFolder(folder_) && CreateFolder(folder_ + kSeparator + kKeptName) &&
             journal_.Open(ManifestOf(folder_)) &&
             journal_.Append(ManifestHeader(kind, layoutsPath, Machine().timeOfDay()));
    if (!ready_)
        WriteLog(" Undo store cannot be made: " + folder_);
}

void UndoRecorder::Step() const {
    if (place_ && place_->afterStep)
        place_->afterStep();
}

// A line reaches the system before the file it names is touched, so a
// crash of the program leaves the journal ahead of the files. Lines are not
// forced to the disk one by one: a rename moves no bytes and cannot lose
// the file, and a copy into the store is made durable on its own. The
// "done" marks only confirm what the files already show, so they wait for
// the next line: one write per layout, not two.
void UndoRecorder::Append(const std::string& line) {
    if (!journal_.Append(waitingMarks_ + line))
        ready_ = false;
    waitingMarks_.clear();
}

std::string UndoRecorder::KeptPath(int64_t number) const {
    return folder_ + kSeparator + kKeptName + kSeparator + std::to_string(number) + ".png";
}

int64_t UndoRecorder::Begin(const std::string& name, bool keeping,
                            const std::optional<ContentStamp>& after) {
    if (!place_)
        return 0;
    if (!ready_)
        return -1;
    const UndoEntry entry{next_, keeping, after, name, false};
    const std::string line = EntryLine(entry);
    if (line.empty())
        return -1;
    Append(line);
    if (!ready_)
        return -1;
    Step();
    ++unsettled_;
    return next_++;
}

bool UndoRecorder::Keep(int64_t number, const std::string& path) {
    if (!place_)
        return true;
    if (number < 0 || !ready_)
        return false;
    const std::string kept = KeptPath(number);
    const MoveResult move = MoveWithinVolume(path, kept);
    const bool moved =
        move == MoveResult::Moved || (move == MoveResult::OtherVolume && CopyFlushed(path, kept) &&
                                      (RemoveFile(path) || !RemoveFile(kept)));
    if (moved)
        Step();
    return moved;
}

bool UndoRecorder::PutBack(int64_t number, const std::string& path) {
    if (!place_)
        return true;
    const std::string kept = KeptPath(number);
    const MoveResult move = MoveWithinVolume(kept, path);
    return move == MoveResult::Moved ||
           (move == MoveResult::OtherVolume && CopyFlushed(kept, path) && RemoveFile(kept));
}

void UndoRecorder::Done(int64_t number) {
    if (!place_ || number < 0)
        return;
    Step();
    waitingMarks_ += MarkLine("done", number);
    Step();
}

void UndoRecorder::Fail(int64_t number) {
    if (!place_ || number < 0)
        return;
    Append(MarkLine("fail", number));
    --unsettled_;
}

void UndoRecorder::Finish() {
    if (!waitingMarks_.empty())
        Append({});
    journal_.Close();
    if (!place_ || !ready_)
        return;
    // An operation that changed nothing leaves the store of the one before
    // offered; its own store holds no file.
    if (unsettled_ == 0 && !HoldsKeptFiles(folder_) && ShellDelete(folder_, true))
        return;
    SwapIn(*place_);
}
