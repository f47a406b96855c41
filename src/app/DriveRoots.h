#pragma once

#include <string>

// The folder dialog starts at the first drive when it is given no folder.
std::string FirstDriveRoot();

// Every drive root followed by a zero character, as Windows lists them;
// empty when the list is unknown.
std::string DriveRootList();
