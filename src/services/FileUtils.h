#pragma once

#include "services/Machine.h"
#include "services/Result.h"

#include <cstdint>
#include <string>

// True for an existing entry that is not a folder; false on any failure.
bool IsFile(const std::string& path);

// True for an existing folder; false on any failure.
bool IsFolder(const std::string& path);

// True for a symbolic link, whether what it points to exists or not.
bool IsLink(const std::string& path);

// `path` ending with a separator: "/" for a URL (text holding "://"), the
// native one otherwise. A path that already ends with "/" or "\" is kept.
std::string WithTrailingSeparator(const std::string& path);

// The folder a folder field names, with its separator; empty when the field
// is empty or blank, which names no folder (the separator alone would name
// the root of the disk). A root typed as such stays that root.
std::string FolderOfField(const std::string& text);

// Creates the last level of `path` (one trailing separator ignored).
// Succeeds only when this call created the folder: NameTaken when something
// is there already, BadName for an empty path.
Status MakeFolder(const std::string& path);

// Deletes a file, or a folder with everything in it. A symbolic link is
// deleted as a link, final separator or not; what it points to stays. With
// `permanent` false it goes to the system's bin instead (the Recycle Bin,
// the freedesktop.org Trash), and stays where it is when no bin takes it.
// Fails with NotFound when nothing is at `path`, with System (and the
// system's code where it gives one) when anything is left there.
Status ShellDelete(const std::string& path, bool permanent);

inline constexpr int32_t kProgramFilesFolder = 38;

// Path of a special folder of `machine`; only the program-files folder is known.
std::string SpecialFolderPath(const MachineFacts& machine, int32_t folder);
