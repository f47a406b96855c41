#include "services/FileSystem.h"

#include "services/FileCalls_posix.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

PosixFileCalls& FileCalls() {
    static PosixFileCalls calls;
    return calls;
}

const std::string& ProcessTag() {
    static const std::string tag = std::to_string(::getpid());
    return tag;
}

int32_t LastSystemCode() {
    return errno;
}

namespace {

constexpr uint64_t kLargestTransfer = 1 << 30;

// The system would cut a name holding a NUL there and reach another file.
bool IsUsableName(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

Failure Refused(const std::string& step, const std::string& path) {
    return SystemFailure(step + " " + path, errno);
}

Failure Unusable(const std::string& path) {
    return FailureOf(FailureCause::BadName, "unusable name " + path);
}

// The failure a refused move or creation gives: the causes callers tell apart.
Failure RefusedAt(const std::string& step, const std::string& path) {
    const FailureCause cause = errno == EEXIST  ? FailureCause::NameTaken
                               : errno == EXDEV ? FailureCause::OtherVolume
                                                : FailureCause::System;
    return FailureOf(cause, step + " " + path, errno);
}

// At `offset`, or at the file's own position when `offset` is negative.
bool WriteAllAt(int descriptor, const void* data, uint64_t size, off_t offset) {
    auto bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const size_t chunk = static_cast<size_t>(std::min(size, kLargestTransfer));
        const ssize_t written = offset < 0 ? ::write(descriptor, bytes, chunk)
                                           : ::pwrite(descriptor, bytes, chunk, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<uint64_t>(written);
        if (offset >= 0)
            offset += written;
    }
    return true;
}

bool ReadAllAt(int descriptor, unsigned char* output, uint64_t length, uint64_t offset) {
    while (length > 0) {
        const ssize_t got = ::pread(descriptor, output, std::min(length, kLargestTransfer),
                                    static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        output += got;
        offset += static_cast<uint64_t>(got);
        length -= static_cast<uint64_t>(got);
    }
    return true;
}

} // namespace

// ---- NewFile ----

struct NewFileAccess {
    static int Descriptor(const NewFile& file) { return static_cast<int>(file.native_); }
    static int Descriptor(const FileForReading& file) { return static_cast<int>(file.native_); }
    static void Wrote(NewFile& file, uint64_t size) { file.written_ += size; }
};

Status NewFile::Create(const std::string& path, bool ownerOnly) {
    Discard();
    failure_.reset();
    written_ = 0;
    if (!IsUsableName(path))
        return Unusable(path);
    // O_EXCL never opens what is there, and refuses a link even when it dangles.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                                  ownerOnly ? 0600 : 0666);
    if (descriptor < 0)
        return RefusedAt("create", path);
    native_ = descriptor;
    path_ = path;
    return Success();
}

Status NewFile::Write(const void* bytes, uint64_t size) {
    if (!IsOpen() || failure_)
        return Refused("write");
    const bool written =
        WriteAllAt(static_cast<int>(native_), bytes, size, static_cast<off_t>(written_));
    written_ += size;
    return written ? Success() : Refused("write");
}

Status NewFile::Flush() {
    if (!IsOpen() || failure_)
        return Refused("flush");
    return FileCalls().fsync(static_cast<int>(native_)) == 0 ? Success() : Refused("flush");
}

Status NewFile::Close() {
    const int descriptor = static_cast<int>(native_);
    native_ = kClosed;
    if (::close(descriptor) == 0)
        return Success();
    return ::Refused("close", path_);
}

// ---- Copying ----

Status CopyThroughBuffer(FileForReading& input, uint64_t from, NewFile& output,
                         const std::string& source, const BytesSeen& seen);

// The kernel copies without the bytes passing through the program (and
// shares the blocks where the file system can). Where it refuses (another
// volume, a file system that cannot) or stops short, the rest goes through
// the buffer, whose own read or write tells any real failure.
Status CopyContent(FileForReading& input, NewFile& output, const std::string& source) {
    const int from = NewFileAccess::Descriptor(input);
    const int to = NewFileAccess::Descriptor(output);
    off64_t in = 0;
    off64_t out = 0;
    while (static_cast<uint64_t>(in) < input.Size()) {
        const auto length = static_cast<size_t>(
            std::min(input.Size() - static_cast<uint64_t>(in), kLargestTransfer));
        const ssize_t copied = FileCalls().copyFileRange(from, &in, to, &out, length, 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied <= 0)
            break;
        NewFileAccess::Wrote(output, static_cast<uint64_t>(copied));
    }
    return CopyThroughBuffer(input, static_cast<uint64_t>(in), output, source, {});
}

Status CommitAndMoveOver(NewFile& draft, const std::string& target);

// A descriptor cannot be renamed: the draft is closed, then moved by name.
Status PlaceDraft(NewFile& draft, const std::string& target) {
    return CommitAndMoveOver(draft, target);
}

bool CopyContentPassesThroughBuffer() {
    return false; // copy_file_range: the bytes never reach the program
}

// ---- Moving, appending, removing ----

Status MoveOver(const std::string& source, const std::string& target) {
    if (!IsUsableName(source) || !IsUsableName(target))
        return Unusable(source + " -> " + target);
    if (FileCalls().rename(source.c_str(), target.c_str()) == 0)
        return Success();
    return Refused("move " + source + " over", target);
}

// The system's own rename that refuses a taken name comes first. File
// systems without it fall back on link(), which refuses one too; those
// without hard links either (FAT drives), and links and folders, which
// cannot be hard-linked, on a rename once the name is seen free: the
// target lies in the program's own folder, where nobody else writes.
namespace {

// For file systems without a rename that refuses a taken name: a hard link
// refuses one too. Nothing when links cannot be made there at all.
std::optional<Status> MoveByLink(const std::string& source, const std::string& target,
                                 const std::string& step) {
    if (::link(source.c_str(), target.c_str()) != 0)
        return errno == EXDEV || errno == EEXIST ? std::optional<Status>(RefusedAt(step, target))
                                                 : std::nullopt;
    if (::unlink(source.c_str()) == 0)
        return Success();
    const Failure failure = Refused("unlink after linking", source);
    ::unlink(target.c_str()); // the unlink failure above is the news
    return failure;
}

} // namespace

Status MoveWithoutReplacing(const std::string& source, const std::string& target) {
    if (!IsUsableName(source) || !IsUsableName(target))
        return Unusable(source + " -> " + target);
    const std::string step = "move " + source + " to";
    if (FileCalls().renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(),
                              RENAME_NOREPLACE) == 0)
        return Success();
    if (errno != EINVAL && errno != ENOSYS)
        return RefusedAt(step, target);
    struct stat info {};
    if (::lstat(source.c_str(), &info) != 0)
        return Refused("look at", source);
    if (!S_ISLNK(info.st_mode) && !S_ISDIR(info.st_mode))
        if (std::optional<Status> linked = MoveByLink(source, target, step))
            return std::move(*linked);
    if (::lstat(target.c_str(), &info) == 0)
        return FailureOf(FailureCause::NameTaken, step + " " + target, EEXIST);
    if (errno != ENOENT)
        return Refused("look at", target);
    if (FileCalls().rename(source.c_str(), target.c_str()) == 0)
        return Success();
    return RefusedAt(step, target);
}

bool SameVolume(const std::string& first, const std::string& second) {
    struct stat a {
    }, b{};
    return IsUsableName(first) && IsUsableName(second) && ::lstat(first.c_str(), &a) == 0 &&
           ::lstat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev;
}

namespace {

// The write's failure, or else the close's.
Status WriteAndClose(int descriptor, const std::string& bytes, const std::string& path) {
    if (!WriteAllAt(descriptor, bytes.data(), bytes.size(), -1)) {
        const Failure failure = Refused("append to", path);
        ::close(descriptor); // the write failure is the news
        return failure;
    }
    return ::close(descriptor) == 0 ? Success() : Refused("close", path);
}

} // namespace

Status AppendToFile(const std::string& path, const std::string& bytes, bool restart) {
    if (!IsUsableName(path))
        return Unusable(path);
    const int descriptor =
        ::open(path.c_str(),
               O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | (restart ? O_TRUNC : O_APPEND), 0666);
    if (descriptor < 0)
        return Refused("open to append", path);
    return WriteAndClose(descriptor, bytes, path);
}

Status AppendingFile::Open(const std::string& path) {
    if (native_ != kClosed)
        return SystemFailure("open again " + path, 0);
    if (!IsUsableName(path))
        return Unusable(path);
    const int descriptor =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY, 0666);
    if (descriptor < 0)
        return Refused("open to append", path);
    native_ = descriptor;
    path_ = path;
    return Success();
}

Status AppendingFile::Append(const std::string& bytes) {
    if (native_ == kClosed)
        return SystemFailure("append to a closed " + path_, 0);
    if (WriteAllAt(static_cast<int>(native_), bytes.data(), bytes.size(), -1))
        return Success();
    return Refused("append to", path_);
}

void AppendingFile::Close() {
    // Every line went to the system already: a failing close loses none.
    if (native_ != kClosed)
        ::close(static_cast<int>(native_));
    native_ = kClosed;
}

AppendingFile::~AppendingFile() {
    Close();
}

Status RemoveFile(const std::string& path) {
    if (!IsUsableName(path))
        return Unusable(path);
    if (::unlink(path.c_str()) == 0 || errno == ENOENT)
        return Success();
    return Refused("remove", path);
}

// ---- Replacing a file's content ----

namespace {

// The file that `path` finally names, its links followed one by one; a
// dangling link names the file that writing through it creates. Nothing
// when the links go round in circles.
std::optional<std::string> FollowLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return path;
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            return std::nullopt;
        path = target.is_absolute() ? target.string()
                                    : (fs::path(path).parent_path() / target).string();
    }
    return std::nullopt;
}

// A file without any write permission was frozen by its user; that holds
// for root too, who would otherwise be let through.
bool MayWrite(const std::string& path, const struct stat& info) {
    return S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0 &&
           faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The replacement takes the old file's permissions, and its owner and group
// as far as we are allowed to give them (the owner only as root, a group
// only one we belong to).
bool TakeOverOwnerAndMode(int descriptor, const struct stat& old) {
    const bool owned = fchown(descriptor, old.st_uid, old.st_gid) == 0 ||
                       fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) == 0;
    (void)owned;
    return fchmod(descriptor, old.st_mode & 07777) == 0;
}

bool IsRefusal(const Status& status) {
    return !status && (status.Error().code == EACCES || status.Error().code == EPERM);
}

Status WriteDraft(NewFile& draft, const std::string& bytes, const struct stat* old) {
    if (Status written = draft.Write(bytes.data(), bytes.size()); !written)
        return written;
    if (old && !TakeOverOwnerAndMode(NewFileAccess::Descriptor(draft), *old))
        return Refused("take over the mode of", draft.Path());
    return draft.Flush();
}

struct Attempt {
    Status status;
    // The folder takes no new file, or lets none replace another (sticky,
    // say); a failure while the draft is written is no such refusal.
    bool folderRefused = false;
};

Attempt ReplaceThroughTemporary(const std::string& target, const std::string& bytes,
                                const struct stat* old) {
    NewFile draft;
    if (Status created = CreateBeside(target, draft, old != nullptr); !created)
        return {created, IsRefusal(created)};
    Status written = WriteDraft(draft, bytes, old);
    const std::string temporary = draft.Path();
    if (written)
        written = draft.Commit();
    if (!written)
        return {written}; // the draft is gone with its NewFile
    Status moved = MoveOver(temporary, target);
    if (!moved)
        (void)RemoveFile(temporary); // a leftover draft is tidied at the next start
    return {moved, IsRefusal(moved)};
}

// Puts the old content back, as far as the file system lets us.
void PutBack(int descriptor, const std::string& old) {
    const bool restored = WriteAllAt(descriptor, old.data(), old.size(), 0) &&
                          ftruncate(descriptor, static_cast<off_t>(old.size())) == 0 &&
                          fsync(descriptor) == 0;
    (void)restored; // nothing more can be done
}

// Space for the longer content is reserved before the first old byte is
// overwritten, and the file is cut to its new length only after the whole
// content is in. If writing still fails, the old content is put back.
bool OverwriteOpenFile(int descriptor, const std::string& bytes) {
    struct stat info {};
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    std::string old(static_cast<size_t>(info.st_size), '\0');
    if (!ReadAllAt(descriptor, reinterpret_cast<unsigned char*>(old.data()), old.size(), 0))
        return false;
    const off_t newSize = static_cast<off_t>(bytes.size());
    if (newSize > info.st_size && posix_fallocate(descriptor, 0, newSize) != 0) {
        // Where the reservation is emulated, it may have grown the file.
        PutBack(descriptor, old);
        return false;
    }
    if (WriteAllAt(descriptor, bytes.data(), bytes.size(), 0) &&
        ftruncate(descriptor, newSize) == 0 && fsync(descriptor) == 0)
        return true;
    PutBack(descriptor, old);
    return false;
}

Status OverwriteInPlace(const std::string& target, const std::string& bytes) {
    const int descriptor = open(target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return Refused("open to overwrite", target);
    if (!OverwriteOpenFile(descriptor, bytes)) {
        const Failure failure = Refused("overwrite", target);
        close(descriptor); // the overwrite failure is the news
        return failure;
    }
    return close(descriptor) == 0 ? Success() : Refused("close", target);
}

} // namespace

Status ReplaceFileContent(const std::string& path, const std::string& bytes) {
    if (!IsUsableName(path))
        return Unusable(path);
    const std::optional<std::string> target = FollowLinks(path);
    if (!target)
        return SystemFailure("follow the links of " + path, 0);
    struct stat old {};
    const bool exists = lstat(target->c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Refused("look at", *target);
    if (exists && !MayWrite(*target, old))
        return SystemFailure("write the frozen file " + *target, 0);
    Attempt replaced = ReplaceThroughTemporary(*target, bytes, exists ? &old : nullptr);
    if (exists && replaced.folderRefused)
        return OverwriteInPlace(*target, bytes);
    return replaced.status;
}

Status CreateFolder(const std::string& path) {
    if (!IsUsableName(path))
        return Unusable(path);
    return ::mkdir(path.c_str(), 0777) == 0 ? Success() : RefusedAt("create folder", path);
}

// ---- Looking ----

ItselfKind KindOfItself(const std::string& path) {
    struct stat info {};
    if (!IsUsableName(path) || ::lstat(path.c_str(), &info) != 0)
        return ItselfKind::Missing;
    return S_ISLNK(info.st_mode)   ? ItselfKind::Link
           : S_ISDIR(info.st_mode) ? ItselfKind::Folder
                                   : ItselfKind::File;
}

EntryKind KindOf(const std::string& path) {
    std::error_code error;
    if (!IsUsableName(path))
        return EntryKind::Missing;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return EntryKind::Missing;
    return fs::is_directory(status) ? EntryKind::Folder : EntryKind::File;
}

bool IsLinkItself(const std::string& path) {
    std::error_code error;
    return IsUsableName(path) && fs::is_symlink(fs::symlink_status(path, error));
}

bool IsFileOrLinkItself(const std::string& path) {
    std::error_code error;
    const fs::file_status status =
        IsUsableName(path) ? fs::symlink_status(path, error) : fs::file_status{};
    return fs::exists(status) && !fs::is_directory(status);
}

// ---- Reading ----

std::unique_ptr<FileForReading> FileForReading::Open(const std::string& path, Opened& outcome) {
    outcome = Opened::NotARegularFile;
    struct stat info {};
    // Looking first keeps devices from being opened at all.
    if (!IsUsableName(path) || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    // Should the name have become a FIFO since, O_NONBLOCK keeps the opening
    // from waiting for a writer, and the check below refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        outcome = Opened::Refused;
        return nullptr;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd); // read only: nothing to lose
        return nullptr;
    }
    outcome = Opened::Yes;
    return std::unique_ptr<FileForReading>(
        new FileForReading(fd, static_cast<uint64_t>(info.st_size)));
}

FileForReading::~FileForReading() {
    ::close(static_cast<int>(native_)); // read only: nothing to lose
}

bool FileForReading::ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const {
    return ReadAllAt(static_cast<int>(native_), output, length, offset);
}

bool FileForReading::ReadInOrder(uint64_t offset, unsigned char* output, uint64_t length) {
    return ReadAt(offset, output, length); // pread costs no more than read
}
