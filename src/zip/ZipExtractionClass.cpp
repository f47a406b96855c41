#include "zip/ZipExtractionClass.h"

#include "zip/ArchiveFile.h"
#include "zip/EndRecordSearch.h"
#include "zip/ZipMessages.h"

ZipExtractionClass::ZipExtractionClass(std::shared_ptr<const ZlibBinding> zlib)
    : zlib_(std::move(zlib)) {}

ZipExtractionClass::~ZipExtractionClass() {
    try {
        ZipClose();
    } catch (...) {
        // An owner's Status handler has nowhere to report to while we go.
    }
}

Result<bool> ZipExtractionClass::ZipOpen(const std::string& ZipPath) {
    RaiseStatus(kStatusOpening);
    ZipClose();
    Result<std::unique_ptr<ArchiveFile>> opened = ArchiveFile::OpenRegular(ZipPath);
    if (!opened)
        return opened.Error();
    archiveFile_ = std::move(*opened);
    if (!archiveFile_) {
        RaiseError(kZipErrorMissingFile, MissingFileText(ZipPath));
        return false;
    }
    YieldToWindows();
    const Result<std::optional<uint64_t>> found = FindEndRecord(*archiveFile_);
    if (!found)
        return found.Error();
    endRecordPosition_ = *found;
    if (!endRecordPosition_) {
        RaiseError(kZipErrorNotAZip, NotAZipText(ZipPath));
        return false;
    }
    RaiseStatus(kStatusOpened);
    if (ZLibVersion().empty()) {
        RaiseError(kZipErrorZlibMissing, kZlibMissingText);
        return true;
    }
    return ReadArchiveDirectory(ZipPath);
}

Result<bool> ZipExtractionClass::ReadArchiveDirectory(const std::string& ZipPath) {
    Result<DirectoryPlace::Outcome> outcome = ReadEndRecord(*endRecordPosition_);
    if (outcome && *outcome == DirectoryPlace::Outcome::Found)
        outcome = ReadDirectory();
    if (!outcome) {
        ForgetDirectory();
        return outcome.Error();
    }
    return !RefuseArchive(*outcome, ZipPath);
}

// Records that contradict the file, or name other parts of the archive, leave
// nothing that could be extracted whole: the archive does not open.
bool ZipExtractionClass::RefuseArchive(DirectoryPlace::Outcome outcome,
                                       const std::string& ZipPath) {
    if (outcome == DirectoryPlace::Outcome::Found)
        return false;
    ForgetDirectory();
    if (outcome == DirectoryPlace::Outcome::Split)
        RaiseError(kZipErrorSplit, SplitText(ZipPath));
    else if (outcome == DirectoryPlace::Outcome::Encrypted)
        RaiseError(kZipErrorEncrypted, EncryptedText(ZipPath));
    else
        RaiseError(kZipErrorNotAZip, NotAZipText(ZipPath));
    return true;
}

// Half a directory is no directory: nothing may be extracted from it, so the
// archive no longer counts as open.
void ZipExtractionClass::ForgetDirectory() {
    endRecordPosition_.reset();
    entries_ = {}; // its memory too
    recordsFound_ = 0;
    fileTotal_ = 0;
}

void ZipExtractionClass::ZipClose() {
    if (archiveFile_) {
        archiveFile_.reset();
        RaiseStatus(kStatusClosed);
    }
    endRecordPosition_.reset();
}

bool ZipExtractionClass::ZipIsOpen() const {
    return endRecordPosition_.has_value();
}

std::string ZipExtractionClass::ZipComment() const {
    return commentText_;
}

int32_t ZipExtractionClass::FileCount() const {
    return fileTotal_;
}

const ZipExtractionClass::ZipEntry& ZipExtractionClass::EntryAt(int32_t Index) const {
    static const ZipEntry kNoEntry;
    if (Index < 1 || Index > fileTotal_)
        return kNoEntry;
    return entries_[static_cast<std::size_t>(Index)];
}

std::string ZipExtractionClass::FileName(int32_t Index) const {
    return EntryAt(Index).Name;
}

int64_t ZipExtractionClass::FileCompressedSize(int32_t Index) const {
    return EntryAt(Index).CompressedSize;
}

int64_t ZipExtractionClass::FileUncompressedSize(int32_t Index) const {
    return EntryAt(Index).UncompressedSize;
}

ZipDateTime ZipExtractionClass::FileDateAndTime(int32_t Index) const {
    const ZipEntry& entry = EntryAt(Index);
    return DosDateTimeToZipDateTime(entry.DosDate, entry.DosTime);
}

std::string ZipExtractionClass::ZLibVersion() {
    const Result<const char*> version = zlib_->Version();
    if (!version) {
        RaiseError(kZipErrorZlibMissing, kZlibMissingText);
        return {};
    }
    return *version ? std::string(*version) : std::string();
}

void ZipExtractionClass::RaiseStatus(const std::string& text) {
    if (Status)
        Status(text);
}

void ZipExtractionClass::RaiseError(int32_t number, const std::string& description) {
    if (ZipError)
        ZipError(number, description);
}

void ZipExtractionClass::RefuseEntry(int32_t number, const std::string& description) {
    entryRefused_ = true;
    RaiseError(number, description);
}

bool ZipExtractionClass::RaiseProgress(int32_t percent, bool& cancel) {
    if (Progress)
        Progress(percent, cancel);
    return cancel;
}

void ZipExtractionClass::YieldToWindows() {
    if (Yield)
        Yield();
}
