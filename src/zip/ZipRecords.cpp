#include "zip/ZipRecords.h"

#include "zip/RecordCursor.h"

namespace {

// The local and the central header are read by one reader, as they share
// their fields and order; the central one holds a version before them and
// its own fields after them. Local sizes read as 32-bit fields too.
void ReadSharedFields(RecordCursor& cursor, EntryHeaderFields& header) {
    header.versionNeeded = cursor.U16();
    header.flags = cursor.U16();
    header.method = cursor.U16();
    header.dosTime = cursor.U16();
    header.dosDate = cursor.U16();
    header.crc32 = cursor.U32();
    header.compressedSize = cursor.U32();
    header.uncompressedSize = cursor.U32();
    header.nameLength = cursor.U16();
    header.extraLength = cursor.U16();
}

void ReadCentralFields(RecordCursor& cursor, CentralFileHeader& header) {
    header.commentLength = cursor.U16();
    header.startDisk = cursor.U16();
    header.internalAttributes = cursor.U16();
    header.externalAttributes = cursor.U32();
    header.localHeaderOffset = cursor.U32();
}

} // namespace

uint32_t ParseSignature(std::span<const unsigned char, 4> bytes) {
    return RecordCursor(bytes).U32();
}

Result<EndOfCentralDirectory> ParseEndRecord(std::span<const unsigned char> bytes) {
    RecordCursor cursor(bytes);
    EndOfCentralDirectory record;
    record.signature = cursor.U32();
    record.thisDisk = cursor.U16();
    record.directoryDisk = cursor.U16();
    record.recordsOnThisDisk = cursor.U16();
    record.totalRecords = cursor.U16();
    record.directorySize = cursor.U32();
    record.directoryOffset = cursor.U32();
    record.commentLength = cursor.U16();
    return WholeRecord(cursor, record, "end of central directory record");
}

Result<CentralFileHeader> ParseCentralHeader(std::span<const unsigned char> bytes) {
    RecordCursor cursor(bytes);
    CentralFileHeader header;
    header.signature = cursor.U32();
    header.versionMadeBy = cursor.U16();
    ReadSharedFields(cursor, header);
    ReadCentralFields(cursor, header);
    return WholeRecord(cursor, header, "central file header");
}

Result<LocalFileHeader> ParseLocalHeader(std::span<const unsigned char> bytes) {
    RecordCursor cursor(bytes);
    LocalFileHeader header;
    header.signature = cursor.U32();
    ReadSharedFields(cursor, header);
    return WholeRecord(cursor, header, "local file header");
}

SettledEntryData SettleEntryData(const LocalFileHeader& local, const CentralFileHeader& central) {
    SettledEntryData settled{central.compressedSize, local.crc32};
    // Writers that stream the data leave the local fields at zero and put the
    // real values in a data descriptor, which the central header repeats; a
    // ZIP64 marker defers to the directory's widened value the same way.
    const bool describedAfterData = ((local.flags | central.flags) & kDataDescriptorFlag) != 0;
    const bool sizeDeferred = (describedAfterData && local.compressedSize == 0) ||
                              local.compressedSize == kZip64SizeMarker;
    if (describedAfterData && local.crc32 == 0)
        settled.crc32 = central.crc32;
    settled.sizesAgree = sizeDeferred || local.compressedSize == central.compressedSize;
    return settled;
}
