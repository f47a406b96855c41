#include "support/TempFolder.h"

#include "services/PathText.h"

#include <atomic>
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

TempFolder::~TempFolder() {
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

std::string TempFolder::Sub(const std::string& relative) const {
    return Path() + kSeparator + relative;
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

std::string FileContent(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
