#include "services/FileIO.h"

#include "services/PathText.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return content.str();
}

std::optional<std::string> ContentOrEmptyIfMissing(const std::string& path) {
    std::error_code error;
    if (fs::symlink_status(FsPath(path), error).type() == fs::file_type::not_found)
        return std::string();
    return ReadWholeFile(path);
}

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    std::string candidate;
    // A name the file system cannot even look up (say, one holding a NUL
    // byte) is handed back at once: writing to it fails, which callers handle.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        candidate =
            path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter.fetch_add(1));
        std::error_code error;
        const fs::file_status status = fs::symlink_status(FsPath(candidate), error);
        if (status.type() == fs::file_type::not_found || (error && !fs::exists(status)))
            return candidate;
    }
    return candidate;
}

static bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    // The system would cut such a name at the NUL and write another file.
    if (path.find('\0') != std::string::npos)
        return false;
    const std::string temporary = TemporaryNameBeside(path);
    std::error_code error;
    if (WriteFile(temporary, bytes)) {
        fs::rename(FsPath(temporary), FsPath(path), error);
        if (!error)
            return true;
        fs::remove(FsPath(temporary), error);
        return false;
    }
    fs::remove(FsPath(temporary), error);
    // A read-only folder may still hold a writable file.
    return fs::exists(FsPath(path), error) && WriteFile(path, bytes);
}
