// Reading the end record and walking the central directory.
#include "zip/ArchiveFile.h"
#include "zip/CentralRecordRead.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipNameEncoding.h"
#include "zip/ZipNames.h"

#include <algorithm>

DirectoryPlace::Outcome ZipExtractionClass::ReadEndRecord(uint64_t position) {
    unsigned char fixed[kEndRecordSize];
    archiveFile_->Seek(position);
    archiveFile_->Read(fixed, sizeof fixed);
    endRecord_ = *ParseEndRecord(fixed);
    commentText_ = archiveFile_->ReadText(endRecord_.commentLength);
    directory_ = PlaceDirectory(*archiveFile_, position, endRecord_);
    entryCounter_ = static_cast<int64_t>(directory_.totalRecords);
    return directory_.outcome;
}

// The walk reads one record past the directory when the directory ends with
// folders or empty files: that read meets the end record, shorter than a
// central record, so the signature is checked before the rest is required.
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

// Lists every record that holds data, numbered from 1 in directory order;
// each folder or empty file met lowers the count by one.
void ZipExtractionClass::ReadDirectory() {
    entries_.assign(static_cast<std::size_t>(entryCounter_) + 1, ZipEntry{});
    archiveFile_->Seek(directory_.start);
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
                name, static_cast<int64_t>(currentHeader_.compressedSize),
                static_cast<int64_t>(currentHeader_.uncompressedSize), currentHeader_.dosDate,
                currentHeader_.dosTime};
        YieldToWindows();
    }
    // A record count smaller than the records skipped cannot go below nothing.
    fileTotal_ = static_cast<int32_t>(std::max<int64_t>(entryCounter_, 0));
}
