// Reading one entry's local header and data, and writing its file.
#include "zip/CentralRecordRead.h"
#include "zip/EntryDecoders.h"
#include "zip/EntryInflate.h"
#include "zip/EntryPrefetch.h"
#include "zip/EntryStream.h"
#include "zip/ExtractionWalk.h"
#include "zip/LocalEntryRead.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipFailures.h"
#include "zip/ZipMessages.h"

namespace {

// Folders and empty files skipped in search of the next entry to prepare.
constexpr int kPeekLimit = 64;

bool IsEncrypted(const CentralFileHeader& header) {
    return (header.flags & (kEncryptedFlag | kStrongEncryptionFlag)) != 0;
}

bool IsHeldInMemory(const CentralFileHeader& header) {
    return header.compressedSize <= kStreamedEntrySize &&
           header.uncompressedSize <= kStreamedEntrySize &&
           (header.method == kMethodStored || header.method == kMethodDeflated);
}

// Entries worth reading ahead: small ones this engine can extract. The
// others are left to the walk, which refuses or streams them in their turn.
bool IsPreparedAhead(const CentralFileHeader& header) {
    return !IsEncrypted(header) && !header.zip64Missing && IsHeldInMemory(header);
}

} // namespace

Result<void> ZipExtractionClass::ExtractEntry(ExtractionWalk& walk, const std::string& name,
                                              const EntryTarget& target) {
    const PreparedEntry* prepared = walk.prefetch ? walk.prefetch->Take(currentHeader_) : nullptr;
    if (walk.prefetch)
        PrefetchNextEntry(walk);
    if (IsEncrypted(currentHeader_)) {
        RefuseEntry(kZipErrorEncrypted, EncryptedText(name));
    } else if (currentHeader_.zip64Missing) {
        RefuseEntry(kZipErrorDamaged, DamagedText(name));
    } else if (!prepared) {
        return ExtractEntryHere(walk, name, target);
    } else if (AcceptLocalEntry(walk, prepared->local, name)) {
        return WriteEntryData(prepared->local, prepared->inflated, prepared->output, target);
    }
    return Success();
}

Result<void> ZipExtractionClass::ExtractEntryHere(ExtractionWalk& walk, const std::string& name,
                                                  const EntryTarget& target) {
    Result<LocalEntry> entry = ReadLocalHeader(*archiveFile_, currentHeader_, walk.source);
    if (!entry)
        return entry.Error();
    if (!AcceptLocalEntry(walk, *entry, name))
        return Success();
    if (!IsHeldInMemory(currentHeader_))
        return StreamEntryData(*entry, target);
    if (Result<void> read = ReadLocalData(*archiveFile_, *entry, walk.source); !read)
        return read;
    Result<bool> inflated = false;
    if (currentHeader_.method == kMethodDeflated)
        inflated = InflateEntry(*zlib_, entry->data, entry->dataLength,
                                currentHeader_.uncompressedSize, entry->crc32, walk.output);
    if (!inflated)
        return inflated.Error();
    return WriteEntryData(*entry, *inflated, walk.output, target);
}

// No local header where the directory points, or one that disagrees with it
// on the data's length: the entry cannot be told apart from what surrounds it.
// Data already handled in this walk are refused too: the trick of archives
// built to expand far beyond their own size.
bool ZipExtractionClass::AcceptLocalEntry(ExtractionWalk& walk, const LocalEntry& entry,
                                          const std::string& name) {
    const uint64_t dataEnd = entry.dataStart + entry.dataLength;
    if (!entry.present) {
        RefuseEntry(kZipErrorDamaged, DamagedText(name));
    } else if (!walk.handledData.AddIfSeparate(currentHeader_.localHeaderOffset, dataEnd)) {
        RefuseEntry(kZipErrorOverlap, OverlapText(name));
    } else if (!entry.sizesAgree) {
        RefuseEntry(kZipErrorDamaged, DamagedText(name));
    } else {
        return true;
    }
    return false;
}

Result<void> ZipExtractionClass::WriteEntryData(const LocalEntry& entry, bool inflated,
                                                const ByteBuffer& output,
                                                const EntryTarget& target) {
    switch (currentHeader_.method) {
    case kMethodStored: // small stored data are written without a CRC check, as they always were
        return WriteTarget(target, entry.data, entry.dataLength);
    case kMethodDeflated:
        if (inflated)
            return WriteTarget(target, output.Data(), currentHeader_.uncompressedSize);
        RefuseEntry(kZipErrorChecksum, ChecksumText(target.path));
        return Success();
    default:
        RefuseEntry(kZipErrorMethod, MethodText(entry.localName));
        return Success();
    }
}

// A large entry, and any entry of a method other than stored and deflated,
// goes from the archive to its file through fixed buffers; the file only
// takes its name once it is whole and checked.
Result<void> ZipExtractionClass::StreamEntryData(const LocalEntry& entry,
                                                 const EntryTarget& target) {
    const std::unique_ptr<StreamDecoder> decoder =
        DecoderFor(currentHeader_.method, entry.dataLength);
    if (!decoder) {
        RefuseEntry(kZipErrorMethod, MethodText(entry.localName));
        return Success();
    }
    if (Result<void> inside = archiveFile_->RequireAt(entry.dataStart, entry.dataLength); !inside)
        return inside;
    Result<NewFile> draft = CreateDraft(target);
    if (!draft)
        return draft.Error();
    const Result<bool> whole = DecodeEntryInto(*archiveFile_, *zlib_, entry,
                                               currentHeader_.uncompressedSize, *decoder, *draft);
    if (!whole)
        return whole.Error();
    if (!*whole) {
        draft->Discard();
        RefuseEntry(kZipErrorChecksum, ChecksumText(target.path));
        return Success();
    }
    return CommitDraft(target, *draft);
}

// Hands the next record that holds data to the prefetch, read without a
// trace: no event, no yield, and the walk's position as it was.
void ZipExtractionClass::PrefetchNextEntry(ExtractionWalk& walk) {
    const uint64_t position = archiveFile_->Position();
    for (int skipped = 0; skipped < kPeekLimit; ++skipped) {
        const auto header = ReadCentralRecord(*archiveFile_, directory_.prefix, nullptr);
        // A read that fails is met again by the walk, in its own time.
        if (!header || !*header)
            break;
        if ((*header)->uncompressedSize != 0) {
            if (IsPreparedAhead(**header))
                walk.prefetch->Request(**header);
            break;
        }
    }
    archiveFile_->Seek(position);
}
