#pragma once

#include <functional>
#include <string>
#include <vector>

// Everything the program learns from the machine it runs on: the program
// folder, the program-files folder, the home folder, the regional formats
// and the clock. They travel in the program's state (ProgramState::machine),
// where a test puts facts of its own.
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
    // What parts the fields of a list a spreadsheet opens: the locale's list
    // separator on Windows; elsewhere ";" where the decimal separator is a
    // comma, "," otherwise.
    std::string listSeparator = ",";
};

// The process's facts, which a new ProgramState starts from. Read
// directly only by the routines that take no state: the log (its folder and
// clock) and the settings file (its folder). Starts as RealMachine(); a test
// points those routines elsewhere through it.
MachineFacts& Machine();

// The facts of the running system.
MachineFacts RealMachine();

// Folder of the running executable (not the current folder).
std::string ExecutableFolder();
