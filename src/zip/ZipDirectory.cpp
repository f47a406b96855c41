// Reading the end record and walking the central directory.
#include "zip/ArchiveFile.h"
#include "zip/CentralRecordRead.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipNameEncoding.h"
#include "zip/ZipNames.h"

#include <limits>

Result<DirectoryPlace::Outcome> ZipExtractionClass::ReadEndRecord(uint64_t position) {
    unsigned char fixed[kEndRecordSize];
    archiveFile_->Seek(position);
    if (Result<void> read = archiveFile_->Read(fixed, sizeof fixed); !read)
        return read.Error();
    endRecord_ = ParseEndRecord(fixed).Value(); // the whole fixed part was read: cannot fail
    Result<std::string> comment = archiveFile_->ReadText(endRecord_.commentLength);
    if (!comment)
        return comment.Error();
    commentText_ = std::move(*comment);
    Result<DirectoryPlace> place = PlaceDirectory(*archiveFile_, position, endRecord_);
    if (!place)
        return place.Error();
    directory_ = *place;
    return directory_.outcome;
}

// A walk that meets no central record (the record after the directory, as
// short as the end record) finds that out from the signature alone, before
// the rest of a record is required.
Result<bool> ZipExtractionClass::ReadCentralHeader(std::string& name) {
    const uint64_t start = archiveFile_->Position();
    std::string rawName;
    const auto header = ReadCentralRecord(*archiveFile_, directory_.prefix, &rawName);
    if (!header)
        return header.Error();
    if (!*header) {
        currentHeader_ = CentralFileHeader{};
        archiveFile_->Seek(start + kCentralHeaderSize);
        return false;
    }
    currentHeader_ = **header;
    name = NativeEntryName(EntryNameText(rawName, currentHeader_.flags));
    return true;
}

// Lists every record that holds data, numbered from 1 in directory order.
// The records are walked to where they stop, not counted off: writers
// without ZIP64 store the count modulo 65,536, and a count lower than the
// records would leave the last ones out without a word. A count higher than
// the records found is a directory that lost some: the archive is refused.
Result<DirectoryPlace::Outcome> ZipExtractionClass::ReadDirectory() {
    entries_.assign(1, ZipEntry{});
    recordsFound_ = 0;
    archiveFile_->Seek(directory_.start);
    std::string name;
    while (archiveFile_->Position() < directory_.end) {
        const Result<bool> read = ReadCentralHeader(name);
        if (!read)
            return read.Error();
        if (!*read)
            break;
        const Result<bool> listed = ListRecord(name);
        if (!listed)
            return listed.Error();
        if (!*listed)
            return directory_.outcome;
    }
    if (recordsFound_ < directory_.totalRecords ||
        recordsFound_ >= static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return DirectoryPlace::Outcome::NotAZip;
    fileTotal_ = static_cast<int32_t>(entries_.size() - 1);
    entries_.resize(static_cast<std::size_t>(recordsFound_) + 1);
    return DirectoryPlace::Outcome::Found;
}

// Counts the record just read and lists it when it holds data; false, with
// the directory's outcome set, when the record refuses the archive.
Result<bool> ZipExtractionClass::ListRecord(const std::string& name) {
    ++recordsFound_;
    const Result<DirectoryPlace::Outcome> refusal = RecordRefusal();
    if (!refusal)
        return refusal.Error();
    if (*refusal != DirectoryPlace::Outcome::Found) {
        directory_.outcome = *refusal;
        return false;
    }
    if (currentHeader_.uncompressedSize != 0)
        entries_.push_back({name, static_cast<int64_t>(currentHeader_.compressedSize),
                            static_cast<int64_t>(currentHeader_.uncompressedSize),
                            currentHeader_.dosDate, currentHeader_.dosTime});
    YieldToWindows();
    return true;
}

// A record that says the directory is enciphered, or whose entry lies on
// another part of the archive, leaves nothing that could be extracted whole;
// Found when it refuses nothing.
Result<DirectoryPlace::Outcome> ZipExtractionClass::RecordRefusal() const {
    if ((currentHeader_.flags & kDirectoryEncryptedFlag) != 0)
        return DirectoryPlace::Outcome::Encrypted;
    if (!directory_.disksNumbered)
        return DirectoryPlace::Outcome::Found;
    const Result<bool> here = LocalHeaderAt(*archiveFile_, currentHeader_.localHeaderOffset);
    if (!here)
        return here.Error();
    return *here ? DirectoryPlace::Outcome::Found : DirectoryPlace::Outcome::Split;
}
