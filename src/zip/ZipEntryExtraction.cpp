// Reading one entry's local header and data, and writing its file.
#include "zip/EntryInflate.h"
#include "zip/EntryPrefetch.h"
#include "zip/ExtractionWalk.h"
#include "zip/LocalEntryRead.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipFailures.h"
#include "zip/ZipMessages.h"

namespace {

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
// Folders and empty files skipped in search of the next entry to prepare.
constexpr int kPeekLimit = 64;

} // namespace

void ZipExtractionClass::ExtractEntry(ExtractionWalk& walk, const std::string& name,
                                      const EntryTarget& target) {
    const PreparedEntry* prepared = walk.prefetch ? walk.prefetch->Take(currentHeader_) : nullptr;
    if (walk.prefetch)
        PrefetchNextEntry(walk);
    if (!prepared) {
        ExtractEntryHere(walk, name, target);
    } else if (prepared->local.present && ClaimEntryData(walk, prepared->local, name)) {
        WriteEntryData(prepared->local, prepared->inflated, prepared->output, target);
    }
}

void ZipExtractionClass::ExtractEntryHere(ExtractionWalk& walk, const std::string& name,
                                          const EntryTarget& target) {
    LocalEntry entry = ReadLocalHeader(*archiveFile_, currentHeader_, walk.source);
    if (!entry.present || !ClaimEntryData(walk, entry, name))
        return;
    ReadLocalData(*archiveFile_, entry, walk.source);
    const bool inflated = currentHeader_.method == kMethodDeflated &&
                          InflateEntry(*zlib_, entry.data, entry.dataLength,
                                       currentHeader_.uncompressedSize, entry.crc32, walk.output);
    WriteEntryData(entry, inflated, walk.output, target);
}

// Data already handled in this walk are refused: the trick of archives
// built to expand far beyond their own size.
bool ZipExtractionClass::ClaimEntryData(ExtractionWalk& walk, const LocalEntry& entry,
                                        const std::string& name) {
    const uint64_t dataEnd = entry.dataStart + entry.dataLength;
    if (walk.handledData.AddIfSeparate(currentHeader_.localHeaderOffset, dataEnd))
        return true;
    RaiseError(kZipErrorOverlap, OverlapText(name));
    return false;
}

void ZipExtractionClass::WriteEntryData(const LocalEntry& entry, bool inflated,
                                        const ByteBuffer& output, const EntryTarget& target) {
    switch (currentHeader_.method) {
    case kMethodStored: // written without a CRC check, as it always was
        WriteTarget(target, entry.data, entry.dataLength);
        break;
    case kMethodDeflated:
        if (inflated)
            WriteTarget(target, output.Data(), currentHeader_.uncompressedSize);
        else
            RaiseError(kZipErrorChecksum, ChecksumText(target.path));
        break;
    default:
        RaiseError(kZipErrorMethod, MethodText(entry.localName));
    }
}

// Hands the next record that holds data to the prefetch, read without a
// trace: no event, no yield, and the walk's position as it was.
void ZipExtractionClass::PrefetchNextEntry(ExtractionWalk& walk) {
    const uint64_t position = archiveFile_->Position();
    try {
        for (int skipped = 0; skipped < kPeekLimit; ++skipped) {
            unsigned char fixed[kCentralHeaderSize];
            archiveFile_->Read(fixed, sizeof fixed);
            const CentralFileHeader header = *ParseCentralHeader(fixed);
            if (header.signature != kCentralHeaderSignature)
                break;
            archiveFile_->Skip(uint64_t{header.nameLength} + header.extraLength +
                               header.commentLength);
            if (header.uncompressedSize != 0) {
                walk.prefetch->Request(header);
                break;
            }
        }
    } catch (const ZipReadError&) {
        // The walk meets the same end of the file in its own time.
    }
    archiveFile_->Seek(position);
}
