#pragma once

#include <windows.h>

// The calls of the single-instance lock that a test cannot bring about for
// real (a mutex whose access list shuts this user out, another copy's
// window), made through this table so that a test can put them in.
struct InstanceCalls {
    decltype(&CreateMutexExW) createMutex = &CreateMutexExW;
    decltype(&FindWindowW) findWindow = &FindWindowW;
};

InstanceCalls& SingleInstanceCalls();
