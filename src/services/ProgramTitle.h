#pragma once

// Fixed when the program is built, whatever the executable file is called:
// it names the settings file, its section, the log file and message boxes.
inline constexpr const char* kProgramTitle = "OrvanePatchLayouts";

// The class of the Windows program's main window: a copy that cannot tell
// from the lock whether another runs looks for that copy's window.
inline constexpr const wchar_t* kMainWindowClass = L"OrvanePatchLayouts.Form1";
