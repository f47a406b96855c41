// Reading one entry's local header and data, and writing its file.
#include "zip/ArchiveFile.h"
#include "zip/EntryFiles.h"
#include "zip/EntryInflate.h"
#include "zip/ExtractionWalk.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipMessages.h"
#include "zip/ZipNameEncoding.h"

namespace {

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

} // namespace

void ZipExtractionClass::ExtractEntry(ExtractionWalk& walk, const std::string& name,
                                      const EntryTarget& target) {
    unsigned char fixed[kLocalHeaderSize];
    archiveFile_->Seek(currentHeader_.localHeaderOffset);
    archiveFile_->Read(fixed, sizeof fixed);
    const LocalFileHeader local = *ParseLocalHeader(fixed);
    if (local.signature != kLocalHeaderSignature)
        return;
    const std::string localName =
        EntryNameText(archiveFile_->ReadText(local.nameLength), local.flags);
    archiveFile_->Skip(local.extraLength);
    const SettledEntryData data = SettleEntryData(local, currentHeader_);
    const uint64_t dataEnd = archiveFile_->Position() + data.compressedSize;
    if (!walk.handledData.AddIfSeparate(currentHeader_.localHeaderOffset, dataEnd)) {
        RaiseError(kZipErrorOverlap, OverlapText(name));
        return;
    }
    WriteEntryData(walk, localName, data.compressedSize, data.crc32, target);
}

void ZipExtractionClass::WriteEntryData(ExtractionWalk& walk, const std::string& localName,
                                        uint64_t dataLength, uint32_t expectedCrc,
                                        const EntryTarget& target) {
    archiveFile_->Require(dataLength);
    unsigned char* data = walk.source.Reserve(dataLength + kZlibHeaderRoom) + kZlibHeaderRoom;
    archiveFile_->Read(data, dataLength);
    switch (currentHeader_.method) {
    case kMethodStored: // written without a CRC check, as it always was
        WriteTarget(target, data, dataLength);
        break;
    case kMethodDeflated:
        if (InflateEntry(*zlib_, walk.source, dataLength, currentHeader_.uncompressedSize,
                         expectedCrc, walk.output))
            WriteTarget(target, walk.output.Data(), currentHeader_.uncompressedSize);
        else
            RaiseError(kZipErrorChecksum, ChecksumText(target.path));
        break;
    default:
        RaiseError(kZipErrorMethod, MethodText(localName));
    }
}
