#pragma once

#include <optional>
#include <string>

// True when any part of the name, split at "/" or "\", is "..". Both count
// so that an archive behaves the same on every platform.
bool HasParentComponent(const std::string& name);

// True when a part of the name (split at the native separator) would open
// a device instead of a file in the destination (Windows' NUL, COM1...).
bool HasDeviceComponent(const std::string& name);

// True when the name holds a NUL byte: the file system would see the name
// end there and write a different file than the one named.
bool HasNulCharacter(const std::string& name);

// The destination folder with its links resolved, against which targets are
// checked; nothing when it cannot be resolved.
std::optional<std::string> ResolvedFolder(const std::string& folderPath);

// True when `folderPath` + separator + `relativeFolder`, with every link
// that already exists on the way resolved, stays inside `resolvedFolder`.
// A link planted in the destination could otherwise carry files elsewhere.
bool StaysInsideFolder(const std::string& resolvedFolder, const std::string& folderPath,
                       const std::string& relativeFolder);
