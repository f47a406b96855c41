#include "app/DriveRoots.h"

// One tree, one root.
std::string FirstDriveRoot() {
    return "/";
}

std::string DriveRootList() {
    return std::string("/") + '\0';
}
