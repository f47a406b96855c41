#include "app/Startup.h"

#include "app/ProgramState.h"
#include "app/Settings.h"
#include "services/LogFile.h"
#include "services/SingleInstance.h"

bool StartUp(SingleInstanceLock& lock, ProgramState& program) {
    if (!lock.TryAcquire(program.machine.programFolder))
        return false;
    WriteLog("Start", "", true, true);
    if (!lock.WhyNotHeld().empty())
        WriteLog(" Started without the single-instance lock: " + lock.WhyNotHeld());
    LoadSettings(program);
    ApplyLanguage(program, program.Language);
    return true;
}
