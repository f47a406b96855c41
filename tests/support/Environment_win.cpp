#include "support/Environment.h"

#include <cstdlib>

// The C runtime passes these on to the process environment as well.
void SetEnvironment(const char* name, const std::string& value) {
    _putenv_s(name, value.c_str());
}

void ForgetEnvironment(const char* name) {
    _putenv_s(name, "");
}
