// Reading one entry's local header and data, and writing its file.
#include "zip/EntryFiles.h"
#include "zip/EntryInflate.h"
#include "zip/ExtractionWalk.h"
#include "zip/LocalEntryRead.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipMessages.h"

namespace {

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

} // namespace

void ZipExtractionClass::ExtractEntry(ExtractionWalk& walk, const std::string& name,
                                      const EntryTarget& target) {
    LocalEntry entry = ReadLocalHeader(*archiveFile_, currentHeader_, walk.source);
    if (!entry.present)
        return;
    const uint64_t dataEnd = entry.dataStart + entry.dataLength;
    if (!walk.handledData.AddIfSeparate(currentHeader_.localHeaderOffset, dataEnd)) {
        RaiseError(kZipErrorOverlap, OverlapText(name));
        return;
    }
    ReadLocalData(*archiveFile_, entry, walk.source);
    WriteEntryData(walk, entry, target);
}

void ZipExtractionClass::WriteEntryData(ExtractionWalk& walk, const LocalEntry& entry,
                                        const EntryTarget& target) {
    switch (currentHeader_.method) {
    case kMethodStored: // written without a CRC check, as it always was
        WriteTarget(target, entry.data, entry.dataLength);
        break;
    case kMethodDeflated:
        if (InflateEntry(*zlib_, entry.data, entry.dataLength, currentHeader_.uncompressedSize,
                         entry.crc32, walk.output))
            WriteTarget(target, walk.output.Data(), currentHeader_.uncompressedSize);
        else
            RaiseError(kZipErrorChecksum, ChecksumText(target.path));
        break;
    default:
        RaiseError(kZipErrorMethod, MethodText(entry.localName));
    }
}
