#pragma once

#include <string_view>

// What the file system makes of a name, where it differs between systems.

// True for the names Windows keeps for its devices (CON, PRN, AUX, NUL,
// COM0-COM9, LPT0-LPT9, the superscript COM¹ COM² COM³ LPT¹ LPT² LPT³,
// CONIN$, CONOUT$), in any letter case and whatever follows a dot or trails
// as spaces: "nul.txt" and "Com1 " open a device.
bool IsWindowsDeviceName(std::string_view name);

// True when a file named `name` here would be a device rather than a file
// in its folder (only on Windows).
bool NameOpensADevice(std::string_view name);

// True for a character that file names may not hold here (on Windows
// < > " | ? * and the control characters; ":" is handled by the callers).
bool FileNamesRefuse(char c);

// True for a character that the system drops from the end of a name (on
// Windows a space or a dot: "foo " and "foo." are the folder "foo").
bool NamesDropAtEnd(char c);
