#include "services/Machine.h"

#include "services/ProgramFolder.h"
#include "services/RegionalFormat.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string ExecutableFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error || exe.empty())
        exe = fs::current_path(error) / "OrvanePatchLayouts";
    return exe.parent_path().string();
}

static std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

MachineFacts RealMachine() {
    MachineFacts facts;
    facts.programFolder = ProgramFolderFor(ExecutableFolder(), HomeFolder());
    facts.programFilesFolder = "/opt";
    facts.homeFolder = HomeFolder();
    facts.formatDecimal = RegionalDecimalText;
    facts.timeOfDay = RegionalTimeOfDay;
    // Where a comma parts the decimals, spreadsheets part the fields with ";".
    facts.listSeparator.assign(1, RegionalDecimalSeparator() == "," ? ';' : ',');
    return facts;
}
