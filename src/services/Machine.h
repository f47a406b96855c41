#pragma once

#include <functional>
#include <string>

// Everything the program learns from the machine it runs on. The program
// reads these facts through Machine() only, so tests can stand in for the
// program folder, the program-files folder, the home folder, the regional
// formats and the clock.
struct MachineFacts {
    std::string programFolder;      // where the program keeps its files, no trailing separator
    std::string programFilesFolder; // special folder 38; empty when unknown
    std::string homeFolder;         // listed where Windows lists the drive root
    std::function<std::string(double)> formatDecimal; // regional number text
    std::function<std::string()> timeOfDay;           // regional current time of day
};

// The facts in force. Starts as RealMachine(); tests may replace fields.
MachineFacts& Machine();

// The facts of the running system.
MachineFacts RealMachine();

// Folder of the running executable (not the current folder).
std::string ExecutableFolder();
