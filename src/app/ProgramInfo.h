#pragma once

// Fixed when the program is built, whatever the executable file is called:
// it names the settings file, its section, the log file and message boxes.
inline constexpr const char* kProgramTitle = "OrvanePatchLayouts";

// Caption of the main window, the same in both languages.
inline constexpr const char* kMainWindowCaption = "Patch for Orvane Layouts";

// Address of the screen archive when the settings hold none (a build option).
inline constexpr const char* kDefaultArchiveUrl = ORVANE_DEFAULT_URL;
