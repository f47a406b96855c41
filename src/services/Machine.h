#pragma once

#include <functional>
#include <string>
#include <vector>

// Everything the program learns from the machine it runs on. The program
// reads these facts through Machine() only, so tests can stand in for the
// program folder, the program-files folder, the home folder, the regional
// formats and the clock.
struct MachineFacts {
    std::string programFolder;      // where the program keeps its files, no trailing separator
    std::string programFilesFolder; // special folder 38; empty when unknown
    // The first folder searched for the front-end: the root of the
    // program-files drive on Windows, the user's home folder elsewhere.
    std::string homeFolder;
    // Searched last, when neither the first folder nor the program-files
    // folder holds the front-end: the other fixed drives' roots on Windows.
    std::vector<std::string> otherDriveRoots;
    std::function<std::string(double)> formatDecimal; // regional number text
    std::function<std::string()> timeOfDay;           // regional current time of day
};

// The facts in force. Starts as RealMachine(); tests may replace fields.
MachineFacts& Machine();

// The facts of the running system.
MachineFacts RealMachine();

// Folder of the running executable (not the current folder).
std::string ExecutableFolder();
