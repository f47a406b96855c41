#pragma once

#include "operations/UndoJournal.h"
#include "operations/UndoManifest.h"
#include "services/Machine.h"
#include "services/Result.h"

#include <functional>
#include <optional>
#include <string>

// Where the undo store lives and how an operation fills it. The store is
// the folder "Undo" of the program's data folder (its content is
// UndoJournal's). An operation builds "Undo.new" and swaps it in once it
// has finished, so the store of the operation before stays whole until then.
struct UndoPlace {
    std::string folder; // the program's data folder, with its separator
    // Called after every step that changes a file or the journal; a test
    // stops the process there to see what a crash would leave.
    std::function<void()> afterStep;
};

// The program's own place: beside the settings.
UndoPlace ProgramUndoPlace(const MachineFacts& machine);

std::string UndoStoreFolder(const UndoPlace& place);

// Completes a swap that a run ended before finishing: a journal of an
// interrupted operation becomes the store, since it alone knows where the
// files it moved came from. Fails (and is logged) while the last
// operation's store cannot take its place (a file of a store held open).
Status SettleUndoStore(const UndoPlace& place);

// The settled store's journal; fails as SettleUndoStore when the store
// cannot be settled, as ReadJournal when there is no store or its header
// cannot be read.
Result<UndoManifest> ReadUndoStore(const UndoPlace& place);

// The kind of the last operation while it has something to undo, its store
// settled or not (the undo then says why it cannot go ahead).
std::optional<UndoKind> UndoableOperation(const UndoPlace& place);

// True when the folder of kept files of `store` holds anything.
bool HoldsKeptFiles(const std::string& store);

// Takes a store nobody will undo from out of the way: deleted when it keeps
// no file, otherwise sent to the system's bin, where the user can still get
// its pictures back. Fails (and is logged when a bin refuses it) as
// ShellDelete when it stays where it is.
Status RetireUndoStore(const std::string& store);

// Moves `store` to a free "Undo kept N" beside the store; the new name.
// Fails with NameTaken when every name is taken, or with the last move's
// failure.
Result<std::string> SetUndoStoreAside(const UndoPlace& place, const std::string& store);

// The entry an UndoRecorder began, or why it could not be journaled.
using UndoEntryNumber = Result<int64_t>;

// Records one operation into a new store. Without a place it records
// nothing and every Keep() succeeds without moving anything, so the
// operation behaves as it always did. A journal write that fails makes the
// recorder not ready from then on.
class UndoRecorder {
  public:
    // `time`: the moment the operation starts, as the journal shows it.
    UndoRecorder(const UndoPlace* place, UndoKind kind, const std::string& layoutsPath,
                 const std::string& time);
    UndoRecorder(const UndoRecorder&) = delete;
    UndoRecorder& operator=(const UndoRecorder&) = delete;

    bool Recording() const { return place_ != nullptr; }
    // The new store could be made; when recording and not ready no file
    // may be replaced or deleted, for it could not be got back.
    bool Ready() const { return ready_.Ok(); }

    // Journals the change of `name` before it is made, and numbers it (0
    // when not recording). Fails with the failure that left the recorder
    // not ready, or as UndoJournal::Begin.
    UndoEntryNumber Begin(const std::string& name, bool keeping,
                          const std::optional<ContentStamp>& after);
    // Takes the loading.png `path` into the store: a rename on one volume,
    // otherwise a copy made durable before the original goes. On any
    // failure (an entry that was not begun included) `path` is as it was.
    Status Keep(const UndoEntryNumber& entry, const std::string& path);
    // Returns a kept file to `path` after the change itself failed; fails as
    // the move, or the copy across volumes, does.
    Status PutBack(const UndoEntryNumber& entry, const std::string& path);
    // The change ended; nothing for an entry that was not begun.
    void Done(const UndoEntryNumber& entry);
    // The change failed and was taken back; nothing for an entry that was
    // not begun. A mark that cannot be written leaves the recorder not ready.
    void Fail(const UndoEntryNumber& entry);
    // The operation has finished: its store takes the old one's place,
    // unless it changed no file. A store that cannot is logged, and settled
    // at the next start or undo.
    void Finish();

  private:
    void Step() const;
    // The group folder of kept files for entry `number` exists.
    Status MakeGroupOf(int64_t number);

    const UndoPlace* place_;
    std::string folder_;
    UndoJournal journal_;
    Status ready_ = FailureOf(FailureCause::System, "no undo store was made");
    int64_t next_ = 1;
    int64_t unsettled_ = 0; // entries begun and not taken back
    std::string madeGroup_; // the last group folder of kept files made
};
