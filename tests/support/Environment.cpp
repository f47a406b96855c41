#include "support/Environment.h"

#include <cstdlib>

EnvironmentScope::EnvironmentScope(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name))
        saved_ = old;
    SetEnvironment(name, value);
}

EnvironmentScope::~EnvironmentScope() {
    if (saved_)
        SetEnvironment(name_, *saved_);
    else
        ForgetEnvironment(name_);
}
