#pragma once

#include "services/Result.h"

#include <string>

// Creates every missing folder of `path`, from its root down. False on any
// failure; the folders made before it stay.
bool CreateFolderPath(const std::string& path);

// Creates `base` + separator + each part of `relative` in turn where it is
// missing. Fails (System, `what` the text for the user naming the folder)
// at the first folder that cannot be made; the folders made before it stay.
Status CreateSubFolders(const std::string& base, const std::string& relative);
