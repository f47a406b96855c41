#pragma once

#include "services/ProgramTitle.h"

// Caption of the main window, the same in both languages.
inline constexpr const char* kMainWindowCaption = "Patch for Orvane Layouts";

// Address of the screen archive when the settings hold none (a build option).
inline constexpr const char* kDefaultArchiveUrl = ORVANE_DEFAULT_URL;
