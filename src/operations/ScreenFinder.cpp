#include "operations/ScreenFinder.h"

#include "operations/OperationSteps.h"
#include "services/FileUtils.h"
#include "services/FolderEntries.h"
#include "services/NameCase.h"
#include "services/PathText.h"

#include <algorithm>

ScreenFinder::ScreenFinder(std::string folder) : folder_(std::move(folder)) {}

// The listing answers for a file spelt as asked, and for a name it shows in
// no letter case at all: a look at the disk for a missing name costs a scan
// of the whole folder where the system ignores letter case by reading it
// (Wine), thousands of times over for a folder of thousands of screens. A
// name listed in another letter case, or not as a file, is looked at.
std::string ScreenFinder::Find(const std::string& name) {
    ListOnce();
    if (listedFiles_.contains(name))
        return folder_ + name;
    const auto found = byCaseKey_.find(NameCaseKey(name));
    if (found == byCaseKey_.end())
        return {};
    if (IsFile(folder_ + name))
        return folder_ + name;
    for (const std::string& onDisk : found->second)
        if (onDisk != name && IsFile(folder_ + onDisk))
            return folder_ + onDisk;
    return {};
}

std::string ScreenFinder::NameOnDisk(const std::string& name) {
    ListOnce();
    // Folding the letter case costs more than the look-up it saves.
    if (listedFiles_.contains(name))
        return name;
    const auto found = byCaseKey_.find(NameCaseKey(name));
    if (found == byCaseKey_.end() || std::ranges::find(found->second, name) != found->second.end())
        return name;
    for (const std::string& onDisk : found->second)
        if (IsFile(folder_ + onDisk))
            return onDisk;
    return name;
}

std::vector<std::string> ScreenFinder::PngNames() {
    ListOnce();
    constexpr std::string_view kPng = ".png";
    std::vector<std::string> names;
    for (const std::string& name : listedFiles_) {
        if (name.size() <= kPng.size() || EqualsIgnoringCase(name, kLoadingPngName))
            continue;
        const std::string_view ending = std::string_view(name).substr(name.size() - kPng.size());
        if (EqualsIgnoringCase(ending, kPng))
            names.push_back(name.substr(0, name.size() - kPng.size()));
    }
    std::ranges::sort(names);
    return names;
}

void ScreenFinder::ListOnce() {
    if (listed_)
        return;
    listed_ = true;
    ForEachListedEntry(folder_, [&](const std::string& name, bool /*hidden*/, EntryKind kind) {
        byCaseKey_[NameCaseKey(name)].push_back(name);
        if (kind == EntryKind::File)
            listedFiles_.insert(name);
        return true;
    });
    for (auto& entry : byCaseKey_)
        std::ranges::sort(entry.second);
}
