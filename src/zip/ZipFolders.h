#pragma once

#include <string>

// Creates every missing folder of `path`, from its root down. False on any
// failure; the folders made before it stay.
bool CreateFolderPath(const std::string& path);

// Creates `base` + separator + each part of `relative` in turn where it is
// missing. A folder that cannot be made throws ZipWriteError.
void CreateSubFolders(const std::string& base, const std::string& relative);
