#pragma once

// The undo store on disk, and the one place that spells it. A store is a
// folder holding "manifest.txt", its journal, and the folder "kept" with
// the files the operation replaced or deleted, each named after its
// entry's number, in groups of 64 ("kept/0/7.png",
// "kept/4/300.png"): in a folder that grows with every layout each new name
// costs a scan of it where names are looked up ignoring case (Wine).
// Earlier versions kept them in "kept" itself ("kept/7.png"). The journal is text: a header, then
// one line per event, appended as the operation goes, so that the text read back after a crash
// still tells where every kept file belongs. Stores written by earlier versions read the same.

#include "operations/UndoManifest.h"
#include "services/FileSystem.h"
#include "services/Result.h"

#include <cstdint>
#include <string>

std::string JournalPathOf(const std::string& store);
std::string KeptFolderOf(const std::string& store);
// Where the file of entry `number` is kept, and the group folder it is kept in.
std::string KeptFileOf(const std::string& store, int64_t number);
std::string KeptGroupOf(const std::string& store, int64_t number);
// Where the file of entry `number` is found: in its group, or where an
// earlier version kept it when only that place holds it.
std::string KeptFileFound(const std::string& store, int64_t number);

// Nothing when the header is damaged: without it no layout can be found.
// Damaged lines after it are counted and skipped.
std::optional<UndoManifest> ParseJournal(const std::string& text);

// The journal of `store`, read back: fails as ReadWholeFile (NotFound or
// System) when it cannot be read, with Damaged when its header cannot be.
Result<UndoManifest> ReadJournal(const std::string& store);

// The writer of one store's journal. Every line reaches the system before
// the call returns, except the "done" marks: they only confirm what the
// files already show, so they wait for the next line (one write per
// layout, not two). After a failed write every later one fails too.
class UndoJournal {
  public:
    // Makes the folder `store` (which must not exist) with its folder of
    // kept files, and the journal with its header. Fails with the first
    // step that does, leaving what was made.
    Status Start(const std::string& store, UndoKind kind, const std::string& layoutsPath,
                 const std::string& time);
    // Opens the journal of an existing store to append marks to it.
    Status Reopen(const std::string& store);

    // Journals the change of `entry` before it is made. BadName when the
    // name cannot be written on one line (it holds a line break).
    Status Begin(const UndoEntry& entry);
    // The change of entry `number` ended; written with the next line.
    void Done(int64_t number);
    // The change failed and was taken back.
    Status Fail(int64_t number);
    // The change was undone.
    Status Undone(int64_t number);
    // Writes the waiting marks and closes the journal (Windows renames no
    // folder holding an open file); fails as that last write does.
    Status Close();

  private:
    Status Append(const std::string& line);

    AppendingFile file_;
    std::string waitingMarks_;
    std::optional<Failure> failure_;
};
