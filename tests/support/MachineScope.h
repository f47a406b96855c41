#pragma once

#include "services/Machine.h"

#include <string>

// Stands in for the machine during one test: the program folder, the
// program-files and home folders, a decimal separator and a fixed clock.
// Everything is restored when the scope ends.
class MachineScope {
  public:
    explicit MachineScope(const std::string& programFolder, char decimalSeparator = '.');
    ~MachineScope();
    MachineScope(const MachineScope&) = delete;
    MachineScope& operator=(const MachineScope&) = delete;

    MachineFacts& Facts() { return Machine(); }

    // The time stamp the stand-in clock writes.
    static constexpr const char* kTime = "12:34:56";

  private:
    MachineFacts saved_;
};
