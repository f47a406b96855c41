#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the undo store's journal tells (read and written by UndoJournal):
// what the last install or delete found in each layout it changed and what
// it left there.

enum class UndoKind { Install, Delete };

// A file's size and CRC-32 (zlib's, fast on any processor): enough to tell
// whether the file the operation wrote is still the one there.
struct ContentStamp {
    uint64_t size = 0;
    uint64_t hash = 0;
    bool operator==(const ContentStamp&) const = default;
};

// The stamp of the file `path` names (a link followed); nothing when it
// cannot be read whole. Read in pieces: a big file costs no memory.
std::optional<ContentStamp> StampOf(const std::string& path);

// A stamp taken from the bytes as a copy reads them, piece by piece.
class StampTaker {
  public:
    void Add(const unsigned char* bytes, uint64_t size);
    ContentStamp Stamp() const { return stamp_; }

  private:
    ContentStamp stamp_{0, 0};
};

struct UndoEntry {
    int64_t number = 0;                // the kept file's name in the store
    bool kept = false;                 // a loading.png was there and went to the store
    std::optional<ContentStamp> after; // what the operation wrote; none for a delete
    std::string name;                  // the layout
    bool settled = false; // the change failed and was taken back, or was undone already
    bool done = false;    // the change was seen to end (the mark may come late)
};

struct UndoManifest {
    UndoKind kind = UndoKind::Install;
    std::string layoutsPath;
    std::string time;
    std::vector<UndoEntry> entries; // in the order of the operation
    int32_t damagedLines = 0;       // lines that could not be read, skipped
};

// Entries still to undo: those that keep a file, and those that only added a copy.
int64_t KeptCount(const UndoManifest& manifest);
int64_t AddedCount(const UndoManifest& manifest);
