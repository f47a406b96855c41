#pragma once

#include <cstdint>
#include <string>

enum class NewFileResult { Written, NameTaken, Failed };

// Creates `path`, which must not exist yet, holding `size` bytes. NameTaken
// when something is there already; Failed when the file could not be made
// or written whole, in which case nothing is left at `path`.
NewFileResult WriteNewFile(const std::string& path, const unsigned char* bytes, uint64_t size);

// Text that tells this process's temporary names from another's.
const std::string& ProcessTag();
