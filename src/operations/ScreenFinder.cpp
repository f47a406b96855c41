#include "operations/ScreenFinder.h"

#include "services/FileUtils.h"
#include "services/NameCase.h"
#include "services/PathText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

ScreenFinder::ScreenFinder(std::string folder) : folder_(std::move(folder)) {}

std::string ScreenFinder::Find(const std::string& name) {
    if (IsFile(folder_ + name))
        return folder_ + name;
    ListOnce();
    const auto found = byCaseKey_.find(NameCaseKey(name));
    if (found == byCaseKey_.end())
        return {};
    for (const std::string& onDisk : found->second)
        if (onDisk != name && IsFile(folder_ + onDisk))
            return folder_ + onDisk;
    return {};
}

void ScreenFinder::ListOnce() {
    if (listed_)
        return;
    listed_ = true;
    std::error_code error;
    for (fs::directory_iterator it(FsPath(folder_), error), end; !error && it != end;
         it.increment(error)) {
        std::string name = PathText(it->path().filename());
        byCaseKey_[NameCaseKey(name)].push_back(std::move(name));
    }
    for (auto& entry : byCaseKey_)
        std::ranges::sort(entry.second);
}
