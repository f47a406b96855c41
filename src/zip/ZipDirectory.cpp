// Reading the end record and walking the central directory.
#include "zip/ArchiveFile.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipNameEncoding.h"
#include "zip/ZipNames.h"

#include <algorithm>

bool ZipExtractionClass::ReadEndRecord(uint64_t position) {
    unsigned char fixed[kEndRecordSize];
    archiveFile_->Seek(position);
    archiveFile_->Read(fixed, sizeof fixed);
    endRecord_ = *ParseEndRecord(fixed);
    commentText_ = archiveFile_->ReadText(endRecord_.commentLength);
    entryCounter_ = endRecord_.totalRecords;
    return endRecord_.thisDisk == endRecord_.directoryDisk;
}

// The walk reads one record past the directory when the directory ends with
// folders or empty files: that read meets the end record, shorter than a
// central record, so the signature is checked before the rest is required.
bool ZipExtractionClass::ReadCentralHeader(std::string& name) {
    unsigned char fixed[kCentralHeaderSize];
    const uint64_t start = archiveFile_->Position();
    archiveFile_->Read(fixed, 4);
    if (ParseSignature(std::span<const unsigned char, 4>(fixed, 4)) != kCentralHeaderSignature) {
        currentHeader_ = CentralFileHeader{};
        archiveFile_->Seek(start + kCentralHeaderSize);
        return false;
    }
    archiveFile_->Read(fixed + 4, kCentralHeaderSize - 4);
    currentHeader_ = *ParseCentralHeader(fixed);
    name = NativeEntryName(
        EntryNameText(archiveFile_->ReadText(currentHeader_.nameLength), currentHeader_.flags));
    archiveFile_->Skip(uint64_t{currentHeader_.extraLength} + currentHeader_.commentLength);
    return true;
}

// Lists every record that holds data, numbered from 1 in directory order;
// each folder or empty file met lowers the count by one.
void ZipExtractionClass::ReadDirectory() {
    entries_.assign(static_cast<std::size_t>(entryCounter_) + 1, ZipEntry{});
    archiveFile_->Seek(endRecord_.directoryOffset);
    for (int64_t i = 1; i <= entryCounter_; ++i) {
        std::string name;
        bool read = ReadCentralHeader(name);
        while (read && currentHeader_.uncompressedSize == 0) {
            --entryCounter_;
            read = ReadCentralHeader(name);
            YieldToWindows();
        }
        if (read)
            entries_[static_cast<std::size_t>(i)] = {
                name, currentHeader_.compressedSize, currentHeader_.uncompressedSize,
                currentHeader_.dosDate, currentHeader_.dosTime};
        YieldToWindows();
    }
    // A record count smaller than the records skipped cannot go below nothing.
    fileTotal_ = static_cast<int32_t>(std::max<int64_t>(entryCounter_, 0));
}
