#pragma once

#include <cstdio>
#include <string>

// A stream writing the new file `path`; null when something is there already
// or the file cannot be made, so nothing that exists is ever written over.
std::FILE* OpenNewFileForWriting(const std::string& path);
