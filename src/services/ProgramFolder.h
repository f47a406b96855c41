#pragma once

#include <functional>
#include <string>

// Where the program keeps its settings, log, archive and screens. Beside the
// executable when its folder can be written (a build, a portable copy);
// otherwise, and always for a program installed below /usr, even when root
// runs it, in the user's data folder, which is created when missing.
std::string ProgramFolderFor(const std::string& executableFolder, const std::string& homeFolder,
                             const std::function<bool(const std::string&)>& canWrite);
std::string ProgramFolderFor(const std::string& executableFolder, const std::string& homeFolder);

// $XDG_DATA_HOME/OrvanePatchLayouts; ~/.local/share/OrvanePatchLayouts when
// XDG_DATA_HOME is unset, empty or not an absolute path.
std::string UserDataFolder(const std::string& homeFolder);

// True when the running user may create entries in `folder`. A read-only
// mount or an immutable folder counts as not writable, even for root.
bool FolderCanBeWritten(const std::string& folder);
