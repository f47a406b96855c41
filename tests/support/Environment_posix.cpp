#include "support/Environment.h"

#include <cstdlib>

void SetEnvironment(const char* name, const std::string& value) {
    setenv(name, value.c_str(), 1);
}

void ForgetEnvironment(const char* name) {
    unsetenv(name);
}

bool RunningUnderWine() {
    return false;
}
