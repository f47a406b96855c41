#pragma once

#include <optional>
#include <string>

// The whole content of a file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The content of `path`, or "" when there is no such file; nothing when the
// file exists but cannot be read (so a rewrite would lose what it holds).
std::optional<std::string> ContentOrEmptyIfMissing(const std::string& path);

// Makes `bytes` the content of the file `path` names, a link being followed
// to its target. A write that cannot complete leaves the old file exactly as
// it was: the content goes to a temporary file beside the target, which then
// takes its place with the old file's permissions. Only when the folder
// refuses new files is an existing file written in place, and then only once
// room for all of it is reserved. A file nobody may write is left alone.
// True on success.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

// A name for a temporary file in the same folder as `path`, not yet in use.
std::string TemporaryNameBeside(const std::string& path);

// True when `name` is one that TemporaryNameBeside gives for `fileName`.
bool IsTemporaryNameOf(const std::string& name, const std::string& fileName);

// Removes the regular files beside `path` that TemporaryNameBeside named for
// it, left behind by an earlier run that ended before it could tidy up.
void RemoveTemporaryLeftovers(const std::string& path);
