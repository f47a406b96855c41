#pragma once

#include "services/FileSystem.h"
#include "services/Result.h"
#include "zip/DirectoryPlace.h"
#include "zip/ZipDateTime.h"
#include "zip/ZipRecords.h"
#include "zip/ZlibBinding.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ArchiveFile;
class ByteBuffer;
struct EntryTarget;
struct ExtractionWalk;
struct LocalEntry;

// The program's own ZIP reader: opens one archive at a time, lists the
// entries that hold data and extracts them, reporting every step through its
// event members. Failures it foresees are ZipError events; the others
// (an archive that cannot be read or is cut short: Damaged or System; a
// folder or file that cannot be written: System; zlib gone in the middle of
// an extraction: NotFound) are the Failure ZipOpen, ExtractAllFiles and
// ExtractSingleFile return, whose `what` is the text to show. Nothing else
// leaves a call but std::bad_alloc. ZipFailures.h tells where each starts.
class ZipExtractionClass {
  public:
    std::function<void(int32_t Percent, bool& Cancel)> Progress;
    std::function<void(const std::string& Text)> Status;
    std::function<void(int32_t Number, const std::string& Description)> ZipError;
    // Lets the user interface process its pending events; empty does nothing.
    std::function<void()> Yield;

    explicit ZipExtractionClass(std::shared_ptr<const ZlibBinding> zlib = LinkedZlib());
    ~ZipExtractionClass();
    ZipExtractionClass(const ZipExtractionClass&) = delete;
    ZipExtractionClass& operator=(const ZipExtractionClass&) = delete;

    // False after a ZipError event; a Failure when the archive cannot be read.
    Result<bool> ZipOpen(const std::string& ZipPath);
    void ZipClose();
    // False after a ZipError event that left an entry out, or when the user
    // stopped; a Failure ends the call at the first read or write that fails.
    Result<bool> ExtractSingleFile(int32_t FileNumber, const std::string& FolderPath,
                                   bool PreservePath, bool Overwrite);
    Result<bool> ExtractAllFiles(const std::string& FolderPath, bool PreservePath, bool Overwrite);

    bool ZipIsOpen() const;
    std::string ZipComment() const;
    int32_t FileCount() const;
    // Indexes 1 to FileCount() name an entry; any other answers empty: no
    // name, sizes of 0, the date of DOS's 0.
    std::string FileName(int32_t Index) const;
    int64_t FileCompressedSize(int32_t Index) const;
    int64_t FileUncompressedSize(int32_t Index) const;
    ZipDateTime FileDateAndTime(int32_t Index) const;
    // Empty, after a ZipError 1, when zlib cannot be called.
    std::string ZLibVersion();

  private:
    struct ZipEntry {
        std::string Name;
        int64_t CompressedSize = 0;
        int64_t UncompressedSize = 0;
        uint16_t DosDate = 0;
        uint16_t DosTime = 0;
    };

    // Opening and the directory walk.
    // Every reader of the archive below fails as ArchiveFile does.
    Result<bool> ReadArchiveDirectory(const std::string& ZipPath);
    Result<DirectoryPlace::Outcome> ReadEndRecord(uint64_t position);
    bool RefuseArchive(DirectoryPlace::Outcome outcome, const std::string& ZipPath);
    Result<bool> ReadCentralHeader(std::string& name);
    Result<DirectoryPlace::Outcome> ReadDirectory();
    Result<bool> ListRecord(const std::string& name);
    Result<DirectoryPlace::Outcome> RecordRefusal() const;
    void ForgetDirectory();
    const ZipEntry& EntryAt(int32_t Index) const;

    // Extraction.
    // Nothing after a ZipError event.
    Result<std::optional<ExtractionWalk>> BeginExtraction(const std::string& FolderPath,
                                                          bool PreservePath, bool Overwrite);
    Result<bool> ReadNextListedHeader(std::string& name);
    // The steps of one entry refuse it with a ZipError event; they fail
    // (`what` the text for the user) when a folder or file cannot be
    // written, or a read of the archive or a call of zlib fails, which ends
    // the whole call. (Result<void> is Status, a name the event member takes
    // inside this class.)
    Result<void> ExtractFileStep(ExtractionWalk& walk, std::string name);
    bool IsSafeTarget(ExtractionWalk& walk, const std::string& name);
    Result<void> ExtractEntry(ExtractionWalk& walk, const std::string& name,
                              const EntryTarget& target);
    Result<void> ExtractEntryHere(ExtractionWalk& walk, const std::string& name,
                                  const EntryTarget& target);
    bool AcceptLocalEntry(ExtractionWalk& walk, const LocalEntry& entry, const std::string& name);
    Result<void> WriteEntryData(const LocalEntry& entry, bool inflated, const ByteBuffer& output,
                                const EntryTarget& target);
    void StartPrefetch(ExtractionWalk& walk);
    void PrefetchNextEntry(ExtractionWalk& walk);
    Result<void> StreamEntryData(const LocalEntry& entry, const EntryTarget& target);
    Result<void> WriteTarget(const EntryTarget& target, const unsigned char* bytes, uint64_t size);
    Result<NewFile> CreateDraft(const EntryTarget& target);
    Result<void> CommitDraft(const EntryTarget& target, NewFile& draft);

    void RaiseStatus(const std::string& text);
    void RaiseError(int32_t number, const std::string& description);
    bool RaiseProgress(int32_t percent, bool& cancel);
    // An entry of the walk under way was left out: the walk does not succeed.
    void RefuseEntry(int32_t number, const std::string& description);
    void YieldToWindows();

    std::shared_ptr<const ZlibBinding> zlib_;
    std::unique_ptr<ArchiveFile> archiveFile_;
    CentralFileHeader currentHeader_;
    EndOfCentralDirectory endRecord_;
    std::optional<uint64_t> endRecordPosition_;
    DirectoryPlace directory_;
    bool entryRefused_ = false;
    std::vector<ZipEntry> entries_;
    uint64_t recordsFound_ = 0; // folders and empty files included
    int32_t fileTotal_ = 0;
    std::string commentText_;
};
