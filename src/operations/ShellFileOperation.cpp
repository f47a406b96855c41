#include "operations/ShellFileOperation.h"

#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/PathText.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

static bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

namespace {

// A file never replaces a folder, nor a link that leads to one.
bool MayCopyOnto(const std::string& destination, std::optional<ItselfKind> known,
                 bool replaceWithoutAsking) {
    if (known == ItselfKind::Missing)
        return true;
    if (known == ItselfKind::File)
        return replaceWithoutAsking;
    return (replaceWithoutAsking || !Exists(FsPath(destination))) && !IsFolder(destination);
}

Status Stage(const std::string& source, const std::string& destination,
             std::optional<ItselfKind> known, int32_t operation, int16_t flags, StagedCopy& copy,
             const BytesSeen& seen) {
    if (operation != kFileOperationCopy || source.empty() || destination.empty())
        return FailureOf(FailureCause::BadName, "copy " + source + " to " + destination);
    const bool replaceWithoutAsking = (flags & kFileOperationNoConfirmation) != 0;
    if (!MayCopyOnto(destination, known, replaceWithoutAsking))
        return FailureOf(FailureCause::NameTaken, "copy over " + destination);
    return copy.Stage(source, destination, seen);
}

Status Copy(const std::string& source, const std::string& destination,
            std::optional<ItselfKind> known, int32_t operation, int16_t flags) {
    StagedCopy copy;
    if (Status staged = Stage(source, destination, known, operation, flags, copy, {}); !staged)
        return staged;
    return copy.Place();
}

} // namespace

Status ShellFileOperation(const std::string& source, const std::string& destination,
                          int32_t operation, int16_t flags) {
    return Copy(source, destination, std::nullopt, operation, flags);
}

Status ShellFileOperationOnto(const std::string& source, const std::string& destination,
                              ItselfKind destinationKind, int32_t operation, int16_t flags) {
    return Copy(source, destination, destinationKind, operation, flags);
}

Status StageFileOperationOnto(const std::string& source, const std::string& destination,
                              ItselfKind destinationKind, int16_t flags, StagedCopy& copy,
                              const BytesSeen& seen) {
    return Stage(source, destination, destinationKind, kFileOperationCopy, flags, copy, seen);
}
