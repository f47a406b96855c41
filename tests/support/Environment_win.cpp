#include "support/Environment.h"

#include <cstdlib>
#include <windows.h>

// The C runtime passes these on to the process environment as well.
void SetEnvironment(const char* name, const std::string& value) {
    _putenv_s(name, value.c_str());
}

void ForgetEnvironment(const char* name) {
    _putenv_s(name, "");
}

bool RunningUnderWine() {
    // Wine's ntdll has an export of its own that Windows' lacks.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
