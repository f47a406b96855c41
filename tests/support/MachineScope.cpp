#include "support/MachineScope.h"

MachineScope::MachineScope(const std::string& programFolder, char decimalSeparator)
    : saved_(Machine()) {
    MachineFacts& facts = Machine();
    facts.programFolder = programFolder;
    facts.programFilesFolder = programFolder + "/no-program-files";
    facts.homeFolder = programFolder + "/no-home";
    facts.formatDecimal = [decimalSeparator](double) {
        return std::string("0") + decimalSeparator + "1";
    };
    facts.timeOfDay = [] { return std::string(kTime); };
}

MachineScope::~MachineScope() {
    Machine() = saved_;
}
