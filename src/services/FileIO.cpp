#include "services/FileIO.h"

#include "services/PathText.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kTemporaryMark = ".tmp-";

bool IsNumber(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

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
        candidate = path + kTemporaryMark + std::to_string(getpid()) + "-" +
                    std::to_string(counter.fetch_add(1));
        std::error_code error;
        const fs::file_status status = fs::symlink_status(FsPath(candidate), error);
        if (status.type() == fs::file_type::not_found || (error && !fs::exists(status)))
            return candidate;
    }
    return candidate;
}

bool IsTemporaryNameOf(const std::string& name, const std::string& fileName) {
    const std::string prefix = fileName + kTemporaryMark;
    if (!name.starts_with(prefix))
        return false;
    const std::string_view numbers = std::string_view(name).substr(prefix.size());
    const size_t dash = numbers.find('-');
    return dash != std::string_view::npos && IsNumber(numbers.substr(0, dash)) &&
           IsNumber(numbers.substr(dash + 1));
}

void RemoveTemporaryLeftovers(const std::string& path) {
    const fs::path target = FsPath(path);
    const std::string fileName = PathText(target.filename());
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::vector<fs::path> leftovers;
    std::error_code error;
    for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::error_code ignored;
        if (IsTemporaryNameOf(PathText(it->path().filename()), fileName) &&
            it->symlink_status(ignored).type() == fs::file_type::regular)
            leftovers.push_back(it->path());
    }
    for (const fs::path& leftover : leftovers)
        fs::remove(leftover, error);
}
