#include "zip/Zip64Records.h"

#include "zip/RecordCursor.h"

Result<Zip64Locator> ParseZip64Locator(std::span<const unsigned char> bytes) {
    RecordCursor cursor(bytes);
    Zip64Locator locator;
    locator.signature = cursor.U32();
    locator.recordDisk = cursor.U32();
    locator.recordOffset = cursor.U64();
    locator.totalDisks = cursor.U32();
    return WholeRecord(cursor, locator, "ZIP64 end of central directory locator");
}

Result<Zip64EndRecord> ParseZip64EndRecord(std::span<const unsigned char> bytes) {
    RecordCursor cursor(bytes);
    Zip64EndRecord record;
    record.signature = cursor.U32();
    record.recordSize = cursor.U64();
    record.versionMadeBy = cursor.U16();
    record.versionNeeded = cursor.U16();
    record.thisDisk = cursor.U32();
    record.directoryDisk = cursor.U32();
    record.recordsOnThisDisk = cursor.U64();
    record.totalRecords = cursor.U64();
    record.directorySize = cursor.U64();
    record.directoryOffset = cursor.U64();
    return WholeRecord(cursor, record, "ZIP64 end of central directory record");
}

bool NeedsZip64Extra(const CentralFileHeader& header) {
    return header.uncompressedSize == kZip64SizeMarker ||
           header.compressedSize == kZip64SizeMarker ||
           header.localHeaderOffset == kZip64SizeMarker;
}

namespace {

// The data of the ZIP64 block among the extra field's blocks; empty when
// there is none or it reaches past the field.
std::optional<std::span<const unsigned char>> FindZip64Block(std::span<const unsigned char> extra) {
    while (extra.size() >= 4) {
        RecordCursor cursor(extra);
        const uint16_t id = cursor.U16();
        const uint16_t length = cursor.U16();
        if (length > extra.size() - 4)
            return std::nullopt;
        if (id == kZip64ExtraId)
            return extra.subspan(4, length);
        extra = extra.subspan(4 + std::size_t{length});
    }
    return std::nullopt;
}

// A field the block does not hold keeps its marker, never a made-up value.
void Widen(uint64_t& field, RecordCursor& cursor) {
    if (field != kZip64SizeMarker)
        return;
    const uint64_t wide = cursor.U64();
    if (cursor.Ok())
        field = wide;
}

} // namespace

void ApplyZip64Extra(CentralFileHeader& header, std::span<const unsigned char> extra) {
    const auto block = FindZip64Block(extra);
    RecordCursor cursor(block.value_or(std::span<const unsigned char>()));
    Widen(header.uncompressedSize, cursor);
    Widen(header.compressedSize, cursor);
    Widen(header.localHeaderOffset, cursor);
    header.zip64Missing = !block || !cursor.Ok();
}
