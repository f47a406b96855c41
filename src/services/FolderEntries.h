#pragma once

#include "services/FileSystem.h"

#include <functional>
#include <string>

// Calls `visit` with the name of every entry of `folder`, files and folders,
// in the order the file system returns them, and whether the system counts
// it hidden: a name starting with '.' here, the Hidden or System attribute
// on Windows. Stops when `visit` returns false. An unreadable folder, or one
// that fails halfway, gives what was read. An empty folder means the
// current folder.
void ForEachFolderEntry(const std::string& folder,
                        const std::function<bool(const std::string& name, bool hidden)>& visit);

// ForEachFolderEntry with what each entry is, links followed as KindOf() follows
// them. The listing itself tells it for all but links: looking at the
// entries one by one would cost a call each.
void ForEachListedEntry(
    const std::string& folder,
    const std::function<bool(const std::string& name, bool hidden, EntryKind kind)>& visit);
