// Reading the end record and walking the central directory.
#include "zip/ArchiveFile.h"
#include "zip/CentralRecordRead.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipNameEncoding.h"
#include "zip/ZipNames.h"

#include <limits>

DirectoryPlace::Outcome ZipExtractionClass::ReadEndRecord(uint64_t position) {
    unsigned char fixed[kEndRecordSize];
    archiveFile_->Seek(position);
    archiveFile_->Read(fixed, sizeof fixed);
    endRecord_ = ParseEndRecord(fixed).Value(); // the whole fixed part was read: cannot fail
    commentText_ = archiveFile_->ReadText(endRecord_.commentLength);
    directory_ = PlaceDirectory(*archiveFile_, position, endRecord_);
    return directory_.outcome;
}

// A walk that meets no central record (the record after the directory, as
// short as the end record) finds that out from the signature alone, before
// the rest of a record is required.
bool ZipExtractionClass::ReadCentralHeader(std::string& name) {
    const uint64_t start = archiveFile_->Position();
    std::string rawName;
    const auto header = ReadCentralRecord(*archiveFile_, directory_.prefix, &rawName);
    if (!header) {
        currentHeader_ = CentralFileHeader{};
        archiveFile_->Seek(start + kCentralHeaderSize);
        return false;
    }
    currentHeader_ = *header;
    name = NativeEntryName(EntryNameText(rawName, currentHeader_.flags));
    return true;
}

// Lists every record that holds data, numbered from 1 in directory order.
// The records are walked to where they stop, not counted off: writers
// without ZIP64 store the count modulo 65,536, and a count lower than the
// records would leave the last ones out without a word. A count higher than
// the records found is a directory that lost some: the archive is refused.
DirectoryPlace::Outcome ZipExtractionClass::ReadDirectory() {
    entries_.assign(1, ZipEntry{});
    recordsFound_ = 0;
    archiveFile_->Seek(directory_.start);
    std::string name;
    while (archiveFile_->Position() < directory_.end && ReadCentralHeader(name)) {
        ++recordsFound_;
        if (const auto refusal = RecordRefusal())
            return *refusal;
        if (currentHeader_.uncompressedSize != 0)
            entries_.push_back({name, static_cast<int64_t>(currentHeader_.compressedSize),
                                static_cast<int64_t>(currentHeader_.uncompressedSize),
                                currentHeader_.dosDate, currentHeader_.dosTime});
        YieldToWindows();
    }
    if (recordsFound_ < directory_.totalRecords ||
        recordsFound_ >= static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return DirectoryPlace::Outcome::NotAZip;
    fileTotal_ = static_cast<int32_t>(entries_.size() - 1);
    entries_.resize(static_cast<std::size_t>(recordsFound_) + 1);
    return DirectoryPlace::Outcome::Found;
}

// A record that says the directory is enciphered, or whose entry lies on
// another part of the archive, leaves nothing that could be extracted whole.
std::optional<DirectoryPlace::Outcome> ZipExtractionClass::RecordRefusal() const {
    if ((currentHeader_.flags & kDirectoryEncryptedFlag) != 0)
        return DirectoryPlace::Outcome::Encrypted;
    if (directory_.disksNumbered && !LocalHeaderAt(*archiveFile_, currentHeader_.localHeaderOffset))
        return DirectoryPlace::Outcome::Split;
    return std::nullopt;
}
