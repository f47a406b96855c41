#include "app/Settings.h"
#include "services/FileUtils.h"
#include "services/Machine.h"
#include "services/NameCase.h"
#include "services/PathText.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// "orvane*.*" as Windows reads it: any name that begins with "orvane",
// with or without a dot, letter case ignored.
bool MatchesFrontEndPattern(const std::string& name) {
    static const std::string prefix = NameCaseKey("orvane");
    return NameCaseKey(name).starts_with(prefix);
}

// First entry of `folder` (files and folders, in listing order) matching the
// pattern; hidden entries are not listed.
std::string FirstFrontEndEntry(const std::string& folder) {
    std::error_code error;
    for (fs::directory_iterator it(FsPath(folder), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = PathText(it->path().filename());
        if (name.front() != '.' && MatchesFrontEndPattern(name))
            return name;
    }
    return {};
}

// Appends `level` (as spelt on disk) when that folder exists below `base`.
std::string WithLevelIfPresent(const std::string& base, const std::string& level) {
    const std::string onDisk = FindEntryIgnoringCase(base, level);
    if (onDisk.empty() || !IsFolder(base + onDisk))
        return base;
    return base + onDisk + kSeparator;
}

} // namespace

std::string ProposeLayoutsFolder() {
    const std::string programFiles = WithTrailingSeparator(SpecialFolderPath(kProgramFilesFolder));
    // Where Windows lists the root of the program-files drive, we list the
    // user's home folder: that is where a POSIX user unpacks a front-end.
    std::string found;
    const std::string home = Machine().homeFolder;
    if (!home.empty()) {
        if (std::string name = FirstFrontEndEntry(home); !name.empty())
            found = WithTrailingSeparator(WithTrailingSeparator(home) + name);
    }
    if (found.empty()) {
        if (std::string name = FirstFrontEndEntry(programFiles); !name.empty())
            found = WithTrailingSeparator(programFiles + name);
    }
    std::string proposal = WithLevelIfPresent(found, "Projects");
    proposal = WithLevelIfPresent(proposal, "Layouts");
    return WithLevelIfPresent(proposal, "Corvella_Mame_Set");
}
