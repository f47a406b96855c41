#pragma once

#include <string>

class MainWindowPort;
struct ProgramState;
struct MachineFacts;

// The unzip button: unpacks the downloaded archive into the screens folder.
void UnzipScreens(MainWindowPort& window, const ProgramState& program);

// At start: offers to unpack a downloaded archive when there is no screens
// folder yet.
void OfferUnzipAtStart(MainWindowPort& window, const ProgramState& program);

// At closing time after an install: offers to delete the unpacked screens.
void DeleteTemporaryFiles(MainWindowPort& window, const ProgramState& program);

// The downloaded archive and the screens folder (no trailing separator),
// both in the program folder of `machine`.
std::string ScreensArchivePath(const MachineFacts& machine);
std::string ScreensFolderPath(const MachineFacts& machine);
