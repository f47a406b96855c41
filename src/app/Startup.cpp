#include "app/Startup.h"

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/Settings.h"
#include "services/LogFile.h"
#include "services/Machine.h"
#include "services/SingleInstance.h"

bool StartUp(SingleInstanceLock& lock) {
    if (!lock.TryAcquire(Machine().programFolder))
        return false;
    WriteLog("Start", "", true, true);
    LoadSettings();
    ApplyLanguage(Language);
    return true;
}
