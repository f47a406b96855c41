#pragma once

#include <string>

// True when the file holds the signature of a ZIP end record (50 4B 05 06)
// anywhere, as the archive reader requires. The file is read backwards in
// blocks, so an archive is never held in memory whole. False too when the
// file cannot be opened or read.
bool HasZipEndRecord(const std::string& path);
