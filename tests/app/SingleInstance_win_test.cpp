#include "app/ProgramState.h"
#include "app/Startup.h"
#include "services/InstanceCalls_win.h"
#include "services/ProgramTitle.h"
#include "services/SingleInstance.h"
#include "services/WideText.h"
#include "support/LogLines.h"
#include "support/MachineScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(SingleInstanceWindows, OneCopyPerFolderHoweverItsPathIsSpelt) {
    TempFolder folder;
    const std::string missing = folder.Sub("not made");
    for (const std::string& path : {folder.Path(), missing}) {
        SingleInstanceLock first;
        SingleInstanceLock second;
        ASSERT_TRUE(first.TryAcquire(path));
        EXPECT_FALSE(second.TryAcquire(UpperAscii(path) + "\\")) << path;
    }
}

TEST(SingleInstanceWindows, OneCopyPerFolderWhateverNameReachesIt) {
    TempFolder folder;
    const std::string program = folder.MakeDir("Program Folder With A Long Name");
    wchar_t shortName[MAX_PATH];
    const DWORD length = GetShortPathNameW(WideFromUtf8(program).c_str(), shortName, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    const std::string shortPath = Utf8FromWide(shortName);
    if (UpperAscii(shortPath) == UpperAscii(program))
        GTEST_SKIP() << "this volume keeps no short names";
    SingleInstanceLock first;
    SingleInstanceLock second;
    ASSERT_TRUE(first.TryAcquire(program));
    EXPECT_FALSE(second.TryAcquire(shortPath)) << shortPath;
}

std::wstring askedMutex;

// A mutex someone else made with an access list that shuts this user out.
HANDLE WINAPI RefusedMutex(SECURITY_ATTRIBUTES*, const wchar_t* name, DWORD, DWORD) {
    askedMutex = name;
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

HWND WINAPI NoWindow(const wchar_t*, const wchar_t*) {
    return nullptr;
}

HWND WINAPI TheProgramsWindow(const wchar_t* windowClass, const wchar_t*) {
    return std::wstring(windowClass) == kMainWindowClass ? GetDesktopWindow() : nullptr;
}

class RefusedLock : public ::testing::Test {
  protected:
    void SetUp() override { SingleInstanceCalls().createMutex = &RefusedMutex; }
    void TearDown() override { SingleInstanceCalls() = InstanceCalls{}; }
    TempFolder folder;
    MachineScope machine{folder.Path()};
};

TEST_F(RefusedLock, MeansAnotherCopyOnlyWhenItsWindowIsThereAndIsLoggedOtherwise) {
    SingleInstanceCalls().findWindow = &NoWindow;
    SingleInstanceLock lock;
    ProgramState program;
    EXPECT_TRUE(StartUp(lock, program));
    EXPECT_EQ(askedMutex.rfind(L"Local\\", 0), 0u) << "the session's own namespace";
    EXPECT_EQ(LogLinesOf(folder.Sub("OrvanePatchLayouts.log.txt")),
              (std::vector<std::string>{"12:34:56 Start",
                                        " Started without the single-instance lock: the lock is "
                                        "refused to this user and no running copy's window is "
                                        "there"}));

    SingleInstanceCalls().findWindow = &TheProgramsWindow;
    SingleInstanceLock second;
    EXPECT_FALSE(second.TryAcquire(folder.Path()));
    EXPECT_EQ(second.WhyNotHeld(), "");
}

} // namespace
