#include "support/MachineScope.h"

#include "support/TempFolder.h"

MachineScope::MachineScope(const std::string& programFolder, char decimalSeparator)
    : saved_(Machine()) {
    MachineFacts& facts = Machine();
    facts.programFolder = programFolder;
    facts.programFilesFolder = programFolder + Native("/no-program-files");
    facts.homeFolder = programFolder + Native("/no-home");
    facts.formatDecimal = [decimalSeparator](double) {
        return std::string("0") + decimalSeparator + "1";
    };
    facts.timeOfDay = [] { return std::string(kTime); };
}

MachineScope::~MachineScope() {
    Machine() = saved_;
}
