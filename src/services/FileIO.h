#pragma once

#include <optional>
#include <string>

// The whole content of a file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The content of `path`, or "" when there is no such file; nothing when the
// file exists but cannot be read (so a rewrite would lose what it holds).
std::optional<std::string> ContentOrEmptyIfMissing(const std::string& path);

// Writes `bytes` to a temporary file beside `path` and renames it over
// `path`, so a failed write never leaves a half-written file. Falls back to
// writing in place when the folder does not let us create the temporary
// file. True on success.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

// A name for a temporary file in the same folder as `path`, not yet in use.
std::string TemporaryNameBeside(const std::string& path);
