#pragma once

#include "services/ProgramTitle.h"

// Address of the screen archive when the settings hold none (a build option).
inline constexpr const char* kDefaultArchiveUrl = ORVANE_DEFAULT_URL;
