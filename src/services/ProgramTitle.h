#pragma once

// Fixed when the program is built, whatever the executable file is called:
// it names the settings file, its section, the log file and message boxes.
inline constexpr const char* kProgramTitle = "OrvanePatchLayouts";
