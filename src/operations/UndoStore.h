#pragma once

#include "operations/UndoManifest.h"
#include "services/FileSystem.h"

#include <functional>
#include <optional>
#include <string>

// Where the undo store lives and how an operation fills it. The store is
// the folder "Undo" of the program's data folder: "manifest.txt" and the
// folder "kept" with the files the operation replaced or deleted. An
// operation builds "Undo.new" and swaps it in once it has finished, so the
// store of the operation before stays whole until then.
struct UndoPlace {
    std::string folder; // the program's data folder, with its separator
    // Called after every step that changes a file or the journal; a test
    // stops the process there to see what a crash would leave.
    std::function<void()> afterStep;
};

// The program's own place: beside the settings.
UndoPlace ProgramUndoPlace();

std::string UndoStoreFolder(const UndoPlace& place);

// Completes a swap that a run ended before finishing: a journal of an
// interrupted operation becomes the store, since it alone knows where the
// files it moved came from. False (and logged) while the last operation's
// store cannot take its place (a file of a store held open).
bool SettleUndoStore(const UndoPlace& place);

// The settled store's journal; nothing when there is no store, its header
// cannot be read, or the store cannot be settled.
std::optional<UndoManifest> ReadUndoStore(const UndoPlace& place);

// The kind of the last operation while it has something to undo, its store
// settled or not (the undo then says why it cannot go ahead).
std::optional<UndoKind> UndoableOperation(const UndoPlace& place);

// True when the folder of kept files of `store` holds anything.
bool HoldsKeptFiles(const std::string& store);

// Takes a store nobody will undo from out of the way: deleted when it keeps
// no file, otherwise sent to the system's bin, where the user can still get
// its pictures back. False (and logged) when it stays where it is.
bool RetireUndoStore(const std::string& store);

// Moves `store` to a free "Undo kept N" beside the store; the new name, or
// nothing when it cannot be moved.
std::string SetUndoStoreAside(const UndoPlace& place, const std::string& store);

// Records one operation into a new store. Without a place it records
// nothing and every Keep() succeeds without moving anything, so the
// operation behaves as it always did.
class UndoRecorder {
  public:
    UndoRecorder(const UndoPlace* place, UndoKind kind, const std::string& layoutsPath);
    UndoRecorder(const UndoRecorder&) = delete;
    UndoRecorder& operator=(const UndoRecorder&) = delete;

    bool Recording() const { return place_ != nullptr; }
    // The new store could be made; when recording and not ready no file
    // may be replaced or deleted, for it could not be got back.
    bool Ready() const { return ready_; }

    // Journals the change of `name` before it is made; -1 when it cannot be.
    int64_t Begin(const std::string& name, bool keeping, const std::optional<ContentStamp>& after);
    // Takes the loading.png `path` into the store: a rename on one volume,
    // otherwise a copy made durable before the original goes. False (and
    // `path` as it was) on any failure.
    bool Keep(int64_t number, const std::string& path);
    // Returns a kept file to `path` after the change itself failed.
    bool PutBack(int64_t number, const std::string& path);
    void Done(int64_t number);
    void Fail(int64_t number);
    // The operation has finished: its store takes the old one's place,
    // unless it changed no file.
    void Finish();

  private:
    void Append(const std::string& line);
    std::string KeptPath(int64_t number) const;
    void Step() const;

    const UndoPlace* place_;
    std::string folder_;
    AppendingFile journal_;
    std::string waitingMarks_;
    bool ready_ = false;
    int64_t next_ = 1;
    int64_t unsettled_ = 0; // entries begun and not taken back
};
