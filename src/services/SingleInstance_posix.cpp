#include "services/PathText.h"
#include "services/ProgramTitle.h"
#include "services/SingleInstance.h"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace {

std::string DefaultLockFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return runtime;
    std::error_code error;
    const auto temporary = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : PathText(temporary);
}

// FNV-1a: a short, stable name for a folder path.
std::string HashText(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char digits[17];
    for (int i = 15; i >= 0; --i, hash >>= 4)
        digits[i] = "0123456789abcdef"[hash & 0xF];
    digits[16] = '\0';
    return digits;
}

std::string CanonicalFolder(const std::string& folder) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(FsPath(folder), error);
    return error ? folder : PathText(canonical);
}

} // namespace

SingleInstanceLock::SingleInstanceLock(std::string lockFolder)
    : lockFolder_(lockFolder.empty() ? DefaultLockFolder() : std::move(lockFolder)) {}

SingleInstanceLock::~SingleInstanceLock() {
    if (descriptor_ >= 0)
        close(descriptor_);
}

std::string SingleInstanceLock::LockPathFor(const std::string& programFolder) const {
    return (EndsWithSeparator(lockFolder_) ? lockFolder_ : lockFolder_ + "/") + kProgramTitle +
           "-" + std::to_string(getuid()) + "-" + HashText(CanonicalFolder(programFolder)) +
           ".lock";
}

bool SingleInstanceLock::TryAcquire(const std::string& programFolder) {
    if (descriptor_ >= 0)
        return true;
    const std::string path = LockPathFor(programFolder);
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file we cannot tell; starting is better than refusing.
    if (descriptor < 0)
        return true;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        close(descriptor);
        return false;
    }
    descriptor_ = descriptor;
    return true;
}
