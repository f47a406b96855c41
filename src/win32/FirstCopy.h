#pragma once

#include <string>

// A second start of the program from the same folder brings the first
// copy's main window forward (restored when minimised) and gives it the
// focus; the newly started process holds the right to do so. False when no
// such window is found.
bool RaiseFirstCopy(const std::string& programFolder);
