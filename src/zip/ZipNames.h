#pragma once

#include <string>

// Entry names as the engine hands them out: every "/" and "\" of the archive
// turned into the native separator (Windows tools write "\").
std::string NativeEntryName(const std::string& archiveName);

// The name a file is written under: every ":", every character file names
// may not hold on this system, and a last character of a part that the
// system would drop (Windows: space, dot) replaced by "_".
std::string TargetName(const std::string& entryName);

// Text after the last native separator (the whole text when there is none).
std::string FileNamePart(const std::string& path);

// Text before the last native separator (empty when there is none).
std::string FolderPart(const std::string& path);
