#include "app/Settings.h"
#include "services/FileUtils.h"
#include "services/FolderEntries.h"
#include "services/Machine.h"
#include "services/NameCase.h"
#include "services/PathText.h"

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
    std::string first;
    ForEachFolderEntry(folder, [&](const std::string& name, bool hidden) {
        if (hidden || !MatchesFrontEndPattern(name))
            return true;
        first = name;
        return false;
    });
    return first;
}

// Appends `level` (as spelt on disk) when that folder exists below `base`.
std::string WithLevelIfPresent(const std::string& base, const std::string& level) {
    const std::string onDisk = FindEntryIgnoringCase(base, level);
    if (onDisk.empty() || !IsFolder(base + onDisk))
        return base;
    return base + onDisk + kSeparator;
}

// `folder` followed by its first entry matching the pattern; empty text
// when it has none.
std::string FrontEndIn(const std::string& folder) {
    if (folder.empty())
        return {};
    const std::string name = FirstFrontEndEntry(folder);
    return name.empty() ? std::string()
                        : WithTrailingSeparator(WithTrailingSeparator(folder) + name);
}

} // namespace

std::string ProposeLayoutsFolder(const MachineFacts& machine) {
    const std::string programFiles =
        WithTrailingSeparator(SpecialFolderPath(machine, kProgramFilesFolder));
    // The root of the program-files drive on Windows; on POSIX the user's
    // home folder, where a POSIX user unpacks a front-end.
    std::string found = FrontEndIn(machine.homeFolder);
    if (found.empty())
        found = FrontEndIn(programFiles);
    // A front-end on another disk is still better than no proposal.
    for (const std::string& root : machine.otherDriveRoots)
        if (found.empty())
            found = FrontEndIn(root);
    std::string proposal = WithLevelIfPresent(found, "Projects");
    proposal = WithLevelIfPresent(proposal, "Layouts");
    return WithLevelIfPresent(proposal, "Corvella_Mame_Set");
}
