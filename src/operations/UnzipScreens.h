#pragma once

#include <string>

class MainWindowPort;

// The unzip button: unpacks the downloaded archive into the screens folder.
void UnzipScreens(MainWindowPort& window);

// At start: offers to unpack a downloaded archive when there is no screens
// folder yet.
void OfferUnzipAtStart(MainWindowPort& window);

// At closing time after an install: offers to delete the unpacked screens.
void DeleteTemporaryFiles(MainWindowPort& window);

// The downloaded archive and the screens folder (no trailing separator),
// both in the program folder.
std::string ScreensArchivePath();
std::string ScreensFolderPath();
