#pragma once

#include <optional>
#include <string>

// True when the tests run on Wine rather than on Windows itself.
bool RunningUnderWine();

// Environment variables of the test process.
void SetEnvironment(const char* name, const std::string& value);
void ForgetEnvironment(const char* name);

// Sets a variable for the life of the object, then restores it.
class EnvironmentScope {
  public:
    EnvironmentScope(const char* name, const std::string& value);
    ~EnvironmentScope();
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

  private:
    const char* name_;
    std::optional<std::string> saved_;
};
