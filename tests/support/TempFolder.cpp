#include "support/TempFolder.h"

#include "services/PathText.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    const fs::path base = fs::temp_directory_path();
    do {
        root_ = base / ("orvane-test-" + std::to_string(getpid()) + "-" +
                        std::to_string(counter.fetch_add(1)));
    } while (fs::exists(root_));
    fs::create_directories(root_);
}

namespace {

bool LooksLikeAnArchive(const fs::path& path) {
    char head[2] = {};
    std::ifstream(path, std::ios::binary).read(head, 2);
    return path.extension() == ".zip" || (head[0] == 'P' && head[1] == 'K');
}

// With ORVANE_KEEP_ARCHIVES naming a folder, every archive a test made is
// kept there when its folder goes: the engine's audit and the fuzzer's
// corpus start from them.
void KeepArchives(const fs::path& root) {
    const char* keep = std::getenv("ORVANE_KEEP_ARCHIVES");
    if (!keep || !*keep)
        return;
    static std::atomic<unsigned> kept{0};
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
        if (it->is_regular_file(error) && it->file_size(error) <= 64u * 1024 * 1024 &&
            LooksLikeAnArchive(it->path()))
            fs::copy_file(it->path(),
                          fs::path(keep) / (std::to_string(getpid()) + "-" +
                                            std::to_string(kept.fetch_add(1)) + ".zip"),
                          error);
}

} // namespace

TempFolder::~TempFolder() {
    KeepArchives(root_);
    std::error_code error;
    // Tests may leave read-only folders behind; open them up before removing.
    for (auto it = fs::recursive_directory_iterator(root_, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(root_, error);
}

std::string TempFolder::Path() const {
    return PathText(root_);
}

std::string Native(std::string relative) {
    for (char& c : relative)
        if (c == '/')
            c = kSeparator;
    return relative;
}

std::string TempFolder::Sub(const std::string& relative) const {
    return Path() + kSeparator + Native(relative);
}

std::string TempFolder::MakeDir(const std::string& relative) const {
    fs::create_directories(FsPath(Sub(relative)));
    return Sub(relative);
}

std::string TempFolder::Write(const std::string& relative, const std::string& content) const {
    const fs::path target = FsPath(Sub(relative));
    fs::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary) << content;
    return Sub(relative);
}

bool NamesIgnoreCase(const std::string& folder) {
    const fs::path probe = FsPath(folder) / "case-probe";
    std::ofstream(probe) << "x";
    std::error_code error;
    const bool same = fs::exists(FsPath(folder) / "CASE-PROBE", error);
    fs::remove(probe, error);
    return same;
}

bool MakeSymlink(const std::string& target, const std::string& link) {
    std::error_code error;
    if (fs::is_directory(FsPath(target), error))
        fs::create_directory_symlink(FsPath(target), FsPath(link), error);
    else
        fs::create_symlink(FsPath(target), FsPath(link), error);
    return !error;
}

std::string FileContent(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
