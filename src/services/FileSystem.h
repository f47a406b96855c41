#pragma once

// Every file the program writes, and every file it reads whole or by
// offset, goes through here: one implementation per platform
// (FileSystem_posix.cpp, FileSystem_win.cpp), so a rule of the system's
// lives in one place. Paths are UTF-8 text with native separators.
// Folders and whole trees are another matter; these do not come here:
// chains of folders made at once with std::filesystem::create_directories
// (DownloadFile, ProgramFolder_posix, Trash_posix), the trash's own folders,
// made private to their owner (Trash_posix), and deletions of whole trees,
// which ShellDelete hands to the system's shell (Windows) or to
// std::filesystem::remove_all. The single-instance lock only opens the
// program folder, and writes nothing.
//
// A call that changes the disk returns a Status (services/Result.h): on
// failure its `what` names the step and the path, its `code` holds errno or
// GetLastError(). A name the system cannot take (empty, holding a NUL)
// fails with BadName before the system is asked.

#include "services/Result.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// A file this process has just created and is writing. Until Commit()
// succeeds the file is only a draft: the destructor and Discard() close it
// and remove it, so a failure never leaves a half-written file behind.
class NewFile {
  public:
    NewFile() = default;
    ~NewFile();
    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&& other) noexcept;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Creates `path`, which must not exist: fails with NameTaken when
    // something is there, whatever it is (a file is never opened over, nor
    // a link followed), with System when the file cannot be made.
    // `ownerOnly`: nobody else may open the draft (for content that takes
    // the place of a file whose permissions are set afterwards).
    Status Create(const std::string& path, bool ownerOnly = false);
    bool IsOpen() const { return native_ != kClosed; }
    const std::string& Path() const { return path_; }

    // Writes all `size` bytes or fails; after a failure every later call
    // fails too (with the first failure's code), so a caller may check once
    // at the end. A file that is not open fails with code 0.
    Status Write(const void* bytes, uint64_t size);
    // Makes what was written durable before the file takes another's place.
    Status Flush();
    // Closes the file and keeps it. Fails (and the file is removed) when any
    // write failed, with that failure, or when the close itself did.
    Status Commit();
    // Closes the file and removes it.
    void Discard();

  private:
    friend struct NewFileAccess; // the platform file's own helpers
    static constexpr intptr_t kClosed = -1;
    Status Close();
    Status Refused(const char* step);

    intptr_t native_ = kClosed; // the platform's own handle
    uint64_t written_ = 0;
    std::string path_;
    std::optional<Failure> failure_; // the first write or flush that failed
};

// A name beside `path` for a temporary file: `path`, ".tmp-", this process's
// number, "-", a counter. Made without asking the file system, so it may be
// taken; CreateBeside() moves on to the next one then.
std::string TemporaryNameBeside(const std::string& path);

// True when `name` is one that TemporaryNameBeside gives for `fileName`.
bool IsTemporaryNameOf(const std::string& name, const std::string& fileName);

// Creates a new file under a temporary name beside `path`; fails only when
// the folder refuses it (names already taken are passed over; NameTaken
// when a thousand of them were).
Status CreateBeside(const std::string& path, NewFile& file, bool ownerOnly = false);

// Removes the regular files beside `path` that TemporaryNameBeside named for
// it, left behind by an earlier run that ended before it could tidy up.
void RemoveTemporaryLeftovers(const std::string& path);

// Renames the committed file `source` to `target`, replacing what is there
// as a copy with "replace without asking" does: a read-only file gives way
// too (Windows refuses that unless its attribute is cleared first, and
// keeps the attribute when the rename still fails). On failure `source` is
// left where it was.
Status MoveOver(const std::string& source, const std::string& target);

// Copies the regular file `source` to `target` through a temporary file
// beside it, which then moves over `target` (see MoveOver). A source that
// is no regular file (a FIFO, a device) fails at once and never blocks;
// on any failure `target` is as it was.
Status CopyOver(const std::string& source, const std::string& target);

// Hands a caller every byte a copy reads, in order (to stamp the content on
// the way instead of reading the file a second time).
using BytesSeen = std::function<void(const unsigned char* bytes, uint64_t size)>;

// The first and last bytes of a file, by which a caller tells its kind (a
// picture's signature and end chunk) without opening it again.
struct FileEnds {
    static constexpr uint64_t kHeadBytes = 8;
    static constexpr uint64_t kTailBytes = 12;
    uint64_t size = 0;
    unsigned char head[kHeadBytes] = {}; // the first min(size, 8) bytes
    unsigned char tail[kTailBytes] = {}; // the last 12, when the file holds both apart
    bool headRead = false;
    bool tailRead = false; // false too when the file is shorter than both together
};

// CopyOver in two steps, so that what the copy read can be recorded before
// the target changes: Stage() writes the whole copy beside the target,
// Place() moves it over the target. The copy stays open in between, so that
// Windows renames it through its own handle rather than opening it again.
// A copy staged and never placed is removed with its StagedCopy.
class StagedCopy {
  public:
    StagedCopy() = default;
    StagedCopy(const StagedCopy&) = delete;
    StagedCopy& operator=(const StagedCopy&) = delete;

    // Copies `source` beside `target`, which is left untouched; fails as
    // CopyOver does. With `seen` the bytes pass through the program's buffer
    // (no copy in the kernel) and `seen` gets each piece as it is read.
    Status Stage(const std::string& source, const std::string& target, const BytesSeen& seen = {});
    // Asks the next Stage() for the source's ends, read through the handle
    // the copy opened (two small reads, no second opening).
    void KeepSourceEnds() { keepEnds_ = true; }
    const FileEnds& SourceEnds() const { return ends_; }
    // Moves the staged copy over its target (see MoveOver); the staged copy
    // is gone either way. Fails with code 0 when nothing is staged.
    Status Place();

  private:
    NewFile staged_;
    std::string target_;
    bool keepEnds_ = false;
    FileEnds ends_;
};

// Makes `bytes` the content of the file `path` names, a link being followed
// to its target. A write that cannot complete leaves the old file exactly as
// it was: the content goes to a temporary file beside the target, which then
// takes its place with the old file's permissions and attributes. Only when
// the folder refuses new files is an existing file written in place, and
// then only once room for all of it is reserved. A file nobody may write (a
// read-only one included) is left alone and fails with code 0, as does a
// link that leads nowhere or round in circles.
Status ReplaceFileContent(const std::string& path, const std::string& bytes);

// Renames `source` (a file, a folder or a link itself) to `target`, which
// must not exist: whatever is at `target` stays untouched and the call
// fails with NameTaken. Across volumes,
// where a rename cannot be done, it fails with OtherVolume: trying the
// rename costs less than asking each name for its volume.
Status MoveWithoutReplacing(const std::string& source, const std::string& target);

// Copies the regular file `source` to `target`, which must not exist, and
// makes the copy durable before returning, so the caller may then remove
// `source`. A failed copy (a full disk) leaves nothing at `target`.
Status CopyFlushed(const std::string& source, const std::string& target);

// True when the two existing entries sit on one volume, where a rename
// between them moves no bytes.
bool SameVolume(const std::string& first, const std::string& second);

// Appends `bytes` to `path`, creating it; `restart` empties it first. On
// failure part of `bytes` may have been written.
Status AppendToFile(const std::string& path, const std::string& bytes, bool restart);

// A file kept open to append lines to, each handed to the system at once
// (nothing is held back in the program), so a line appended is kept even
// if the program is killed right after. Cheaper than AppendToFile for many
// lines, which opens the file each time.
class AppendingFile {
  public:
    AppendingFile() = default;
    ~AppendingFile();
    AppendingFile(const AppendingFile&) = delete;
    AppendingFile& operator=(const AppendingFile&) = delete;

    // Opens `path` for appending, creating it when missing; fails with
    // code 0 when a file is open already.
    Status Open(const std::string& path);
    // Writes all of `bytes` at the end; fails (code 0) when the file is not
    // open, or when the write fails.
    Status Append(const std::string& bytes);
    // Windows renames no folder that holds an open file.
    void Close();

  private:
    static constexpr intptr_t kClosed = -1;
    intptr_t native_ = kClosed;
    std::string path_; // for the failures' text
};

// Removes the file `path` (a link itself, never its target), read-only or
// not. Succeeds when nothing is left there, nothing having been there
// included.
Status RemoveFile(const std::string& path);

// Creates the folder `path` in an existing folder. Succeeds only when this
// call made it: NameTaken when something is there already.
Status CreateFolder(const std::string& path);

enum class EntryKind { Missing, File, Folder };

// What `path` names, its links followed; Missing when nothing is there or
// the system cannot tell (a dangling link, say). A path of any length.
EntryKind KindOf(const std::string& path);

// What `path` is itself, a link not followed, in one look: File for
// anything that is neither a folder nor a link.
enum class ItselfKind { Missing, File, Folder, Link };
ItselfKind KindOfItself(const std::string& path);

// True for a symbolic link, whether what it points to exists or not.
bool IsLinkItself(const std::string& path);

// True for a file, or a link wherever it leads: what IsLinkItself() or a
// File from KindOf() tell together, in one look.
bool IsFileOrLinkItself(const std::string& path);

// True for a regular file that is no link.
bool IsRegularFileItself(const std::string& path);

// The whole content of a file. Fails with NotFound when `path` names no
// regular file (nothing, a folder, a device), with System when the file
// cannot be opened or read, with TooLarge when it holds more than `maxBytes`.
Result<std::string> ReadWholeFile(const std::string& path, uint64_t maxBytes = UINT64_MAX);

// The content of `path`, or "" when there is no such file; fails as
// ReadWholeFile when the file exists but cannot be read (so a rewrite would
// lose what it holds).
Result<std::string> ContentOrEmptyIfMissing(const std::string& path,
                                            uint64_t maxBytes = UINT64_MAX);

// A regular file opened for reading at given offsets. Only a regular file is
// opened: a FIFO would wait for a writer and a device may never end. Every
// read names its offset, so readers on several threads share no position.
class FileForReading {
  public:
    enum class Opened { Yes, NotARegularFile, Refused };
    // NotARegularFile when `path` names no regular file (or nothing);
    // Refused when it does but the file cannot be opened.
    static std::unique_ptr<FileForReading> Open(const std::string& path, Opened& outcome);
    ~FileForReading();
    FileForReading(const FileForReading&) = delete;
    FileForReading& operator=(const FileForReading&) = delete;

    uint64_t Size() const { return size_; }
    // Reads `length` bytes at `offset`; false unless all of them were read.
    bool ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const;
    // ReadAt for the file's one reader, reading it in order: where reads at
    // an offset cost more than reads from where the last one stopped
    // (Windows queues a completion for each), this takes the cheaper way.
    bool ReadInOrder(uint64_t offset, unsigned char* output, uint64_t length);
    FileEnds Ends() const;

  private:
    friend struct NewFileAccess; // the platform's copy reads through the handle itself
    FileForReading(intptr_t native, uint64_t size) : native_(native), size_(size) {}

    intptr_t native_;
    uint64_t size_;
};
