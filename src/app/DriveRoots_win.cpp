#include "app/DriveRoots.h"

#include <windows.h>

std::string FirstDriveRoot() {
    return "C:\\";
}

std::string DriveRootList() {
    const DWORD needed = GetLogicalDriveStringsA(0, nullptr);
    std::string list(needed, '\0');
    const DWORD written = needed == 0 ? 0 : GetLogicalDriveStringsA(needed, list.data());
    if (written == 0 || written > needed)
        return {};
    list.resize(written);
    return list;
}
