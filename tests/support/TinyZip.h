#pragma once

#include <string>

// The bytes of a ZIP archive holding one stored (uncompressed) file.
std::string StoredZip(const std::string& name, const std::string& content);
