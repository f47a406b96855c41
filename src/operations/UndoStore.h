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
// files it moved came from.
void SettleUndoStore(const UndoPlace& place);

// The settled store's journal; nothing when there is no store or its
// header cannot be read.
std::optional<UndoManifest> ReadUndoStore(const UndoPlace& place);

// The kind of the store's operation while it has something to undo.
std::optional<UndoKind> UndoableOperation(const UndoPlace& place);

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
    // The operation has finished: its store takes the old one's place.
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
};
