#include "CoverageWindow.h"
#include "FirstCopy.h"
#include "Form1.h"
#include "MessageLoop.h"
#include "ProgressBox.h"
#include "app/ProgramState.h"
#include "app/Startup.h"
#include "frmUnZip.h"
#include "services/SingleInstance.h"

#include <commctrl.h>
#include <ole2.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // The single-instance check comes before anything else.
    SingleInstanceLock lock;
    ProgramState program;
    if (!StartUp(lock, program)) {
        RaiseFirstCopy(program.machine.programFolder);
        return 0;
    }
    // The folder dialog's new style needs OLE on this thread.
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Form1::RegisterWindowClass();
    ProgressBox::RegisterWindowClass();
    frmUnZip::RegisterWindowClass();
    CoverageWindow::RegisterWindowClass();
    int exitCode = 0;
    {
        Form1 form(std::move(program));
        form.Show();
        exitCode = RunMessageLoop();
    }
    OleUninitialize();
    return exitCode;
}
