#pragma once

#include <cstdint>
#include <string>

// Program-wide state, shared by the start-up, the main window and the
// operations.

// Interface language: 0 English, any other value French (the menu stores 1).
extern int32_t Language;

// The layouts folder: the folder whose sub-folders receive loading.png.
extern std::string LayoutsPath;

// The folder of loading screens, the source of the copies.
extern std::string SourcePath;
