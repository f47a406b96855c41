#include "services/FileSystem.h"

#include "services/FileCalls_win.h"
#include "services/NameRules.h"
#include "services/PathText.h"
#include "services/WidePath.h"
#include "services/WideText.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>
#include <windows.h>

const std::string& ProcessTag() {
    static const std::string tag = std::to_string(GetCurrentProcessId());
    return tag;
}

WindowsFileCalls& FileCalls() {
    static WindowsFileCalls calls;
    return calls;
}

int32_t LastSystemCode() {
    return static_cast<int32_t>(GetLastError());
}

namespace {

constexpr uint64_t kLargestTransfer = 1 << 30;
// CreateDirectoryW's limit, the lowest of the classic ones.
constexpr size_t kLongestClassicPath = MAX_PATH - 12;

bool IsUsableName(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

Failure Refused(const std::string& step, const std::string& path) {
    return SystemFailure(step + " " + path, LastSystemCode());
}

Failure Unusable(const std::string& path) {
    return FailureOf(FailureCause::BadName, "unusable name " + path);
}

// The failure a refused move or creation gives: the causes callers tell apart.
Failure RefusedAt(const std::string& step, const std::string& path) {
    const DWORD error = GetLastError();
    const FailureCause cause = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                                   ? FailureCause::NameTaken
                               : error == ERROR_NOT_SAME_DEVICE ? FailureCause::OtherVolume
                                                                : FailureCause::System;
    return FailureOf(cause, step + " " + path, static_cast<int32_t>(error));
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.rfind(prefix, 0) == 0;
}

HANDLE AsHandle(intptr_t native) {
    return reinterpret_cast<HANDLE>(native);
}

bool WriteAll(HANDLE file, const void* data, uint64_t size) {
    auto bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min(size, kLargestTransfer));
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

DWORD Attributes(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

bool IsReadOnlyFile(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Runs `change` on `path`; when Windows refuses it because the file is
// read-only, clears that attribute and tries once more, putting the
// attribute back if the change still fails.
template <typename Change> bool EvenIfReadOnly(const std::wstring& path, Change change) {
    if (change())
        return true;
    const DWORD error = GetLastError();
    const DWORD attributes = Attributes(path);
    if (error != ERROR_ACCESS_DENIED || !IsReadOnlyFile(attributes)) {
        SetLastError(error); // the look at a free name says "not found" itself
        return false;
    }
    const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
    if (!SetFileAttributesW(path.c_str(), writable ? writable : FILE_ATTRIBUTE_NORMAL)) {
        SetLastError(error); // the caller tells the change's own refusal
        return false;
    }
    if (change())
        return true;
    const DWORD refusal = GetLastError();
    // Best effort: the change failed either way, and that is what is told.
    SetFileAttributesW(path.c_str(), attributes);
    SetLastError(refusal);
    return false;
}

} // namespace

std::wstring WidePath(const std::string& path) {
    std::wstring wide = FsPath(path).wstring();
    if (wide.size() < kLongestClassicPath || StartsWith(wide, L"\\\\?\\") ||
        StartsWith(wide, L"\\\\.\\"))
        return wide;
    std::wstring full(32768, L'\0');
    const DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return wide;
    full.resize(length);
    if (StartsWith(full, L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// ---- NewFile ----

struct NewFileAccess {
    static HANDLE Handle(const NewFile& file) { return AsHandle(file.native_); }
    static bool Failed(const NewFile& file) { return file.failure_.has_value(); }
};

Status NewFile::Create(const std::string& path, bool /*ownerOnly*/) {
    Discard();
    failure_.reset();
    written_ = 0;
    if (!IsUsableName(path))
        return Unusable(path);
    // CREATE_NEW: never opened over what is there (the C runtime's "x" mode
    // is unknown to msvcrt.dll).
    // DELETE: the draft is renamed into place through this handle.
    const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return RefusedAt("create", path);
    native_ = reinterpret_cast<intptr_t>(file);
    path_ = path;
    return Success();
}

Status NewFile::Write(const void* bytes, uint64_t size) {
    if (!IsOpen() || failure_)
        return Refused("write");
    const bool written = WriteAll(AsHandle(native_), bytes, size);
    written_ += size;
    return written ? Success() : Refused("write");
}

Status NewFile::Flush() {
    if (!IsOpen() || failure_)
        return Refused("flush");
    return FlushFileBuffers(AsHandle(native_)) ? Success() : Refused("flush");
}

Status NewFile::Close() {
    const HANDLE file = AsHandle(native_);
    native_ = kClosed;
    return CloseHandle(file) != 0 ? Success() : ::Refused("close", path_);
}

// ---- Copying ----

Status CopyThroughBuffer(FileForReading& input, uint64_t from, NewFile& output,
                         const std::string& source, const BytesSeen& seen);

// Windows has no copy between two open handles: every copy is the buffer's.
Status CopyContent(FileForReading& input, NewFile& output, const std::string& source) {
    return CopyThroughBuffer(input, 0, output, source, {});
}

bool CopyContentPassesThroughBuffer() {
    return true;
}

// ---- Moving, appending, removing ----

Status MoveOver(const std::string& source, const std::string& target) {
    if (!IsUsableName(source) || !IsUsableName(target))
        return Unusable(source + " -> " + target);
    const std::wstring from = WidePath(source);
    const std::wstring to = WidePath(target);
    if (EvenIfReadOnly(to, [&] {
            return FileCalls().moveFileEx(from.c_str(), to.c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        }))
        return Success();
    return Refused("move " + source + " over", target);
}

BOOL WINAPI RenameOpenFile(HANDLE file, const wchar_t* /*from*/, const wchar_t* to, BOOL replace) {
    const size_t nameBytes = std::wcslen(to) * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replace ? TRUE : FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, to, nameBytes);
    return SetFileInformationByHandle(file, FileRenameInfo, rename,
                                      static_cast<DWORD>(buffer.size()));
}

// The draft already has a handle with the right to be renamed: no second
// opening, as MoveFileExW would make, for every file an install places.
Status PlaceDraft(NewFile& draft, const std::string& target) {
    // A draft with a failed write never takes the target's place: Commit()
    // removes it and tells the write's failure.
    if (!draft.IsOpen() || NewFileAccess::Failed(draft))
        return draft.Commit();
    const std::string path = draft.Path();
    if (!IsUsableName(target)) {
        draft.Discard();
        return Unusable(path + " -> " + target);
    }
    const std::wstring from = WidePath(path);
    const std::wstring to = WidePath(target);
    const HANDLE file = NewFileAccess::Handle(draft);
    if (!EvenIfReadOnly(to, [&] {
            return FileCalls().renameOpenFile(file, from.c_str(), to.c_str(), TRUE) != 0;
        })) {
        const Failure refused = Refused("move " + path + " over", target);
        draft.Discard();
        return refused;
    }
    return draft.Commit();
}

Status MoveWithoutReplacing(const std::string& source, const std::string& target) {
    if (!IsUsableName(source) || !IsUsableName(target))
        return Unusable(source + " -> " + target);
    const std::wstring from = WidePath(source);
    // The entry itself: a link is moved, not followed, and a folder opens too.
    const HANDLE entry = CreateFileW(
        from.c_str(), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (entry == INVALID_HANDLE_VALUE)
        return RefusedAt("move " + source + " to", target);
    // A rename never copies: a move to another volume fails, as the caller
    // expects; and it replaces nothing, so a taken name fails too.
    const bool moved =
        FileCalls().renameOpenFile(entry, from.c_str(), WidePath(target).c_str(), FALSE) != 0;
    const DWORD error = GetLastError();
    CloseHandle(entry); // renamed or not, nothing was written through it
    if (moved)
        return Success();
    SetLastError(error);
    return RefusedAt("move " + source + " to", target);
}

namespace {

bool VolumeSerial(const std::string& path, DWORD& serial) {
    const HANDLE file = CreateFileW(WidePath(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information);
    CloseHandle(file); // read only: nothing to lose
    serial = information.dwVolumeSerialNumber;
    return known;
}

} // namespace

bool SameVolume(const std::string& first, const std::string& second) {
    DWORD a = 0, b = 0;
    return IsUsableName(first) && IsUsableName(second) && VolumeSerial(first, a) &&
           VolumeSerial(second, b) && a == b;
}

Status AppendToFile(const std::string& path, const std::string& bytes, bool restart) {
    if (!IsUsableName(path))
        return Unusable(path);
    // Opened, never created afresh: CREATE_ALWAYS would refuse a hidden log.
    const HANDLE file =
        CreateFileW(WidePath(path).c_str(), restart ? GENERIC_WRITE : FILE_APPEND_DATA,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Refused("open to append", path);
    if ((restart && !SetEndOfFile(file)) || !WriteAll(file, bytes.data(), bytes.size())) {
        const Failure failure = Refused("append to", path);
        CloseHandle(file); // the write failure is the news
        return failure;
    }
    return CloseHandle(file) ? Success() : Refused("close", path);
}

Status AppendingFile::Open(const std::string& path) {
    if (native_ != kClosed)
        return SystemFailure("open again " + path, 0);
    if (!IsUsableName(path))
        return Unusable(path);
    const HANDLE file = CreateFileW(WidePath(path).c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Refused("open to append", path);
    native_ = reinterpret_cast<intptr_t>(file);
    path_ = path;
    return Success();
}

Status AppendingFile::Append(const std::string& bytes) {
    if (native_ == kClosed)
        return SystemFailure("append to a closed " + path_, 0);
    if (WriteAll(AsHandle(native_), bytes.data(), bytes.size()))
        return Success();
    return Refused("append to", path_);
}

void AppendingFile::Close() {
    // Every line went to the system already: a failing close loses none.
    if (native_ != kClosed)
        CloseHandle(AsHandle(native_));
    native_ = kClosed;
}

AppendingFile::~AppendingFile() {
    Close();
}

Status RemoveFile(const std::string& path) {
    if (!IsUsableName(path))
        return Unusable(path);
    const std::wstring wide = WidePath(path);
    if (EvenIfReadOnly(wide, [&] { return FileCalls().deleteFile(wide.c_str()) != 0; }))
        return Success();
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return Success();
    return Refused("remove", path);
}

// ---- Replacing a file's content ----

namespace {

// The file `path` finally names, its links followed; `path` itself when
// there is nothing there yet. Empty when a link leads nowhere, so that it is
// never replaced by a plain file.
std::wstring FinalPath(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD attributes = Attributes(path);
        const bool dangling =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
        return dangling ? std::wstring() : path;
    }
    std::wstring final(32768, L'\0');
    const DWORD length =
        GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(file); // read only: nothing to lose
    if (length == 0 || length >= final.size())
        return path;
    final.resize(length);
    return final;
}

// A name beside `target` that nothing holds yet, for ReplaceFileW to keep
// the old file under; empty when none is found.
std::wstring FreeNameBeside(const std::wstring& target) {
    const std::string utf8 = Utf8FromWide(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring name = WidePath(TemporaryNameBeside(utf8));
        if (Attributes(name) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
            return name;
    }
    return {};
}

// Windows documents two half-failures of ReplaceFileW: the draft is still
// under its own name, and the old file is either gone already (1176) or
// kept only under the backup name (1177).
bool IsHalfReplaced(DWORD error) {
    return error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
}

// ReplaceFileW with a backup of the old file, removed once the draft is in
// place. After a half-failure a plain rename puts the draft in place; when
// even that fails, the old file is brought back from the backup if it can
// be.
bool ReplaceWithBackup(const std::wstring& draft, const std::wstring& target) {
    const std::wstring backup = FreeNameBeside(target);
    const wchar_t* backupName = backup.empty() ? nullptr : backup.c_str();
    bool replaced = FileCalls().replaceFile(target.c_str(), draft.c_str(), backupName,
                                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    if (!replaced && IsHalfReplaced(GetLastError())) {
        replaced = FileCalls().moveFileEx(draft.c_str(), target.c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!replaced && backupName && Attributes(target) == INVALID_FILE_ATTRIBUTES)
            // Best effort: should it fail, the old file is still the backup.
            FileCalls().moveFileEx(backupName, target.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    if (replaced && backupName)
        FileCalls().deleteFile(backupName); // a backup left over is the old file, harmless
    return replaced;
}

// The draft takes the old file's place; ReplaceFileW keeps the old file's
// own permissions, and its attributes (hidden, say), which are set again
// for the systems whose ReplaceFileW forgets them.
bool PutInPlace(const std::wstring& draft, const std::wstring& target, DWORD oldAttributes) {
    if (oldAttributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileExW(draft.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    if (!ReplaceWithBackup(draft, target))
        return false;
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (oldAttributes & kKept)
        SetFileAttributesW(target.c_str(), oldAttributes & kKept); // the content is in: best effort
    return true;
}

} // namespace

namespace {

Status WrittenDraft(const std::wstring& target, const std::string& bytes, NewFile& draft) {
    if (Status created = CreateBeside(Utf8FromWide(target), draft); !created)
        return created;
    if (Status written = draft.Write(bytes.data(), bytes.size()); !written)
        return written;
    return draft.Flush();
}

} // namespace

Status ReplaceFileContent(const std::string& path, const std::string& bytes) {
    if (!IsUsableName(path))
        return Unusable(path);
    const std::wstring target = FinalPath(WidePath(path));
    if (target.empty())
        return SystemFailure("follow the link " + path, 0);
    const DWORD attributes = Attributes(target);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file was frozen by its user, and a folder is no file.
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return SystemFailure("write the frozen file " + path, 0);
    NewFile draft;
    if (Status written = WrittenDraft(target, bytes, draft); !written)
        return written;
    const std::string temporary = draft.Path();
    if (Status committed = draft.Commit(); !committed)
        return committed;
    if (PutInPlace(WidePath(temporary), target, attributes))
        return Success();
    const Failure failure = Refused("put in place", path);
    // After a half-failed replacement the draft may be the only copy left;
    // one left over is tidied at the next start.
    if (Attributes(target) != INVALID_FILE_ATTRIBUTES)
        (void)RemoveFile(temporary);
    return failure;
}

Status CreateFolder(const std::string& path) {
    if (!IsUsableName(path))
        return Unusable(path);
    if (CreateDirectoryW(WidePath(path).c_str(), nullptr))
        return Success();
    return RefusedAt("create folder", path);
}

// ---- Looking ----

namespace {

// The attributes of what a link leads to; INVALID_FILE_ATTRIBUTES when it
// leads nowhere.
DWORD FollowedAttributes(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return INVALID_FILE_ATTRIBUTES;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information);
    CloseHandle(file); // read only: nothing to lose
    return known ? information.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
}

} // namespace

EntryKind KindOf(const std::string& path) {
    if (!IsUsableName(path))
        return EntryKind::Missing;
    const std::wstring wide = WidePath(path);
    DWORD attributes = Attributes(wide);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        attributes = FollowedAttributes(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EntryKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Folder : EntryKind::File;
}

ItselfKind KindOfItself(const std::string& path) {
    const DWORD attributes =
        IsUsableName(path) ? Attributes(WidePath(path)) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ItselfKind::Missing;
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? ItselfKind::Link
           : (attributes & FILE_ATTRIBUTE_DIRECTORY)   ? ItselfKind::Folder
                                                       : ItselfKind::File;
}

bool IsLinkItself(const std::string& path) {
    if (!IsUsableName(path))
        return false;
    const DWORD attributes = Attributes(WidePath(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsFileOrLinkItself(const std::string& path) {
    if (!IsUsableName(path))
        return false;
    const DWORD attributes = Attributes(WidePath(path));
    return attributes != INVALID_FILE_ATTRIBUTES && ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
                                                     !(attributes & FILE_ATTRIBUTE_DIRECTORY));
}

// ---- Reading ----

namespace {

bool IsPlainFileName(const std::wstring& path, const std::string& utf8) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !IsWindowsDeviceName(PathText(FsPath(utf8).filename()));
}

} // namespace

std::unique_ptr<FileForReading> FileForReading::Open(const std::string& path, Opened& outcome) {
    outcome = Opened::NotARegularFile;
    // A device name (NUL, COM1...) opens a device, which may never end.
    if (!IsUsableName(path))
        return nullptr;
    const std::wstring wide = WidePath(path);
    if (!IsPlainFileName(wide, path))
        return nullptr;
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        outcome = Opened::Refused;
        return nullptr;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file); // read only: nothing to lose
        return nullptr;
    }
    outcome = Opened::Yes;
    return std::unique_ptr<FileForReading>(
        new FileForReading(reinterpret_cast<intptr_t>(file), static_cast<uint64_t>(size.QuadPart)));
}

FileForReading::~FileForReading() {
    CloseHandle(AsHandle(native_)); // read only: nothing to lose
}

bool FileForReading::ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const {
    while (length > 0) {
        // The offset travels with each read, so readers share no position.
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        if (!ReadFile(AsHandle(native_), output,
                      static_cast<DWORD>(std::min(length, kLargestTransfer)), &got, &at) ||
            got == 0)
            return false;
        output += got;
        offset += got;
        length -= got;
    }
    return true;
}

bool FileForReading::ReadInOrder(uint64_t offset, unsigned char* output, uint64_t length) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(AsHandle(native_), at, nullptr, FILE_BEGIN))
        return false;
    // No OVERLAPPED: Wine asks its server to queue a completion for a read
    // that has one, even on a handle no completion port listens to.
    while (length > 0) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(native_), output,
                      static_cast<DWORD>(std::min(length, kLargestTransfer)), &got, nullptr) ||
            got == 0)
            return false;
        output += got;
        length -= got;
    }
    return true;
}
