// The two extraction operations: their common frame, the directory walk and
// the step that prepares each file.
#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/PathText.h"
#include "zip/ArchiveFile.h"
#include "zip/ExtractionWalk.h"
#include "zip/PathSafety.h"
#include "zip/ZipExtractionClass.h"
#include "zip/ZipFailures.h"
#include "zip/ZipFolders.h"
#include "zip/ZipMessages.h"
#include "zip/ZipNames.h"

#include <cmath>
#include <system_error>

namespace {

// Pass `pass` of a directory of `totalRecords` records, folders and empty
// files included; halves round to the even percentage.
int32_t ProgressPercent(int32_t pass, uint64_t totalRecords) {
    if (totalRecords == 0)
        return 100;
    return static_cast<int32_t>(std::nearbyint(pass / static_cast<double>(totalRecords) * 100.0));
}

} // namespace

Result<std::optional<ExtractionWalk>>
ZipExtractionClass::BeginExtraction(const std::string& FolderPath, bool PreservePath,
                                    bool Overwrite) {
    using NoWalk = std::optional<ExtractionWalk>;
    if (ZLibVersion().empty())
        return NoWalk();
    RaiseStatus(kStatusExtractionStart);
    if (!ZipIsOpen()) {
        RaiseError(kZipErrorNoZipOpen, kNoZipOpenText);
        return NoWalk();
    }
    if (!IsFolder(FolderPath) && !CreateFolderPath(FolderPath)) {
        RaiseError(kZipErrorCannotCreateFolder, CannotCreateFolderText(FolderPath));
        return NoWalk();
    }
    const Result<DirectoryPlace::Outcome> end = ReadEndRecord(*endRecordPosition_);
    if (!end)
        return end.Error();
    if (*end != DirectoryPlace::Outcome::Found) {
        RaiseStatus(kStatusExtractionEnd);
        return NoWalk();
    }
    archiveFile_->Seek(directory_.start);
    entryRefused_ = false;
    std::optional<ExtractionWalk> walk(std::in_place);
    walk->folderPath = FolderPath;
    walk->preservePath = PreservePath;
    walk->overwrite = Overwrite;
    walk->resolvedFolder = ResolvedFolder(FolderPath).value_or(std::string());
    return walk;
}

// Without a second thread every entry is simply read in its turn.
void ZipExtractionClass::StartPrefetch(ExtractionWalk& walk) {
    try {
        walk.prefetch = std::make_unique<EntryPrefetch>(*archiveFile_, *zlib_);
    } catch (const std::system_error&) {
        return;
    }
    PrefetchNextEntry(walk);
}

// Reads central records up to the next one that holds data; false when the
// record read is no central record.
Result<bool> ZipExtractionClass::ReadNextListedHeader(std::string& name) {
    Result<bool> read = ReadCentralHeader(name);
    while (read && *read && currentHeader_.uncompressedSize == 0) {
        read = ReadCentralHeader(name);
        YieldToWindows();
    }
    return read;
}

Result<bool> ZipExtractionClass::ExtractAllFiles(const std::string& FolderPath, bool PreservePath,
                                                 bool Overwrite) {
    Result<std::optional<ExtractionWalk>> walk =
        BeginExtraction(FolderPath, PreservePath, Overwrite);
    if (!walk || !*walk)
        return walk ? Result<bool>(false) : walk.Error();
    StartPrefetch(**walk);
    bool cancel = false;
    const int32_t total = fileTotal_;
    for (int32_t i = 1; i <= total; ++i) {
        std::string name;
        const Result<bool> listed = ReadNextListedHeader(name);
        if (!listed)
            return listed.Error();
        if (*listed) {
            if (Result<void> step = ExtractFileStep(**walk, name); !step)
                return step.Error();
            if (RaiseProgress(ProgressPercent(i, recordsFound_), cancel))
                return false;
        }
        YieldToWindows();
    }
    RaiseStatus(kStatusExtractionEnd);
    // A file kept because it was there already was no entry left out.
    return !entryRefused_;
}

Result<bool> ZipExtractionClass::ExtractSingleFile(int32_t FileNumber,
                                                   const std::string& FolderPath, bool PreservePath,
                                                   bool Overwrite) {
    Result<std::optional<ExtractionWalk>> walk =
        BeginExtraction(FolderPath, PreservePath, Overwrite);
    if (!walk || !*walk)
        return walk ? Result<bool>(false) : walk.Error();
    bool ignoredCancel = false;
    const int32_t total = fileTotal_;
    for (int32_t i = 1; i <= total; ++i) {
        std::string name;
        const Result<bool> listed = ReadNextListedHeader(name);
        if (!listed)
            return listed.Error();
        if (*listed && i == FileNumber)
            if (Result<void> step = ExtractFileStep(**walk, name); !step)
                return step.Error();
        RaiseProgress(100, ignoredCancel);
        YieldToWindows();
    }
    RaiseStatus(kStatusExtractionEnd);
    return true;
}

namespace {

bool FolderStaysInside(ExtractionWalk& walk, const std::string& folder) {
    if (walk.safeFolder == folder)
        return true;
    if (!StaysInsideFolder(walk.resolvedFolder, walk.folderPath, folder))
        return false;
    walk.safeFolder = folder;
    return true;
}

Status MakeEntryFolder(ExtractionWalk& walk, const std::string& folder) {
    if (walk.madeFolder == folder)
        return Success();
    Status made = CreateSubFolders(walk.folderPath, folder);
    if (made)
        walk.madeFolder = folder;
    return made;
}

} // namespace

bool ZipExtractionClass::IsSafeTarget(ExtractionWalk& walk, const std::string& name) {
    const bool safe = !HasParentComponent(name) && !HasNulCharacter(name) &&
                      !HasDeviceComponent(name) &&
                      (!walk.preservePath || FolderStaysInside(walk, FolderPart(name)));
    if (!safe)
        RefuseEntry(kZipErrorOutsideFolder, OutsideFolderText(name));
    return safe;
}

Result<void> ZipExtractionClass::ExtractFileStep(ExtractionWalk& walk, std::string name) {
    name = TargetName(name);
    if (!IsSafeTarget(walk, name))
        return Success();
    if (!walk.preservePath)
        name = FileNamePart(name);
    else if (Result<void> made = MakeEntryFolder(walk, FolderPart(name)); !made)
        return made;
    const uint64_t directoryPosition = archiveFile_->Position();
    RaiseStatus(ExtractingText(name));
    const std::string targetPath = walk.folderPath + kSeparator + name;
    const EntryTarget target{targetPath, IsFile(targetPath)};
    // An existing target is kept (error 11) unless overwriting is asked for.
    Result<void> extracted = Success();
    if (target.exists && !walk.overwrite)
        RaiseError(kZipErrorExists, ExistsText(target.path));
    else
        extracted = ExtractEntry(walk, name, target);
    archiveFile_->Seek(directoryPosition);
    return extracted;
}

// Runs once the entry has passed every check that could refuse it. The new
// content is written whole before an existing file gives way, so a full disk
// never costs the user the file the entry would have replaced.
Result<NewFile> ZipExtractionClass::CreateDraft(const EntryTarget& target) {
    NewFile draft;
    if (!CreateBeside(target.path, draft))
        return CannotWrite(target.path);
    return draft;
}

// A target that was there and could not be replaced is an entry refused
// (error 12); one that could not be put in place at all is a write failure.
Result<void> ZipExtractionClass::CommitDraft(const EntryTarget& target, NewFile& draft) {
    const std::string written = draft.Path();
    if (!draft.Commit())
        return CannotWrite(target.path);
    if (MoveOver(written, target.path))
        return Success();
    (void)RemoveFile(written); // a leftover draft is tidied at the next start
    if (!target.exists)
        return CannotWrite(target.path);
    RefuseEntry(kZipErrorCannotDelete, CannotDeleteText(target.path));
    return Success();
}

Result<void> ZipExtractionClass::WriteTarget(const EntryTarget& target, const unsigned char* bytes,
                                             uint64_t size) {
    Result<NewFile> draft = CreateDraft(target);
    if (!draft)
        return draft.Error();
    if (!draft->Write(bytes, size))
        return CannotWrite(target.path);
    return CommitDraft(target, *draft);
}
