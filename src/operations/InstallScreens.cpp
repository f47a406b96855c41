#include "operations/InstallScreens.h"

#include "app/AppState.h"
#include "app/Messages.h"
#include "operations/LayoutListing.h"
#include "operations/OperationSteps.h"
#include "operations/ScreenFinder.h"
#include "operations/ShellFileOperation.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"

namespace {

constexpr const char* kCopyingCaption = "Copying...";
constexpr const char* kDefaultCaption = "Default loading.png";

struct InstallRun {
    MainWindowPort& window;
    LayoutState& state;
    int32_t copies = 0;
};

bool SourceFolderIsValid(MainWindowPort& window) {
    if (IsFolder(SourcePath))
        return true;
    window.ShowMessage(Messages[kMsgScreensFolderInvalid], MessageIcon::Exclamation);
    window.FocusField(FolderField::Screens);
    return false;
}

void LogHeader(const MainWindowPort& window) {
    WriteLog(" ");
    WriteLog("Install loading screens", "", true);
    WriteLog(" LayoutsPath =" + LayoutsPath);
    WriteLog(" SourcePath  =" + SourcePath);
    WriteLog(" Overwrite   =" + std::to_string(window.OverwriteState()));
    WriteLog(" UseDefault  =" + std::to_string(window.UseDefaultState()));
}

// A link there is the user's, even one that points nowhere or to a folder.
bool LoadingPngExists(const std::string& destination) {
    return IsFile(destination) || IsLink(destination);
}

// Copies `screen` as the loading.png of the layout `name`, unless one is
// there and Overwrite is off. The box is read now: the user may change it
// while the run goes on.
void CopyUnlessKept(InstallRun& run, const std::string& name, const std::string& screen) {
    const std::string destination = LoadingPngOf(name);
    if (LoadingPngExists(destination) && run.window.OverwriteState() == 0) {
        WriteLog("  " + name + "  skipped because already exists.");
        return;
    }
    if (ShellFileOperation(screen, destination, kFileOperationCopy, kFileOperationNoConfirmation)) {
        WriteLog("  " + name + "  Ok");
        ++run.copies;
    } else {
        WriteLog("  Error while copying " + screen + " to " + destination);
    }
}

void CopyOwnScreens(InstallRun& run) {
    ScreenFinder screens(SourcePath);
    const int32_t bound = run.state.LayoutCount;
    for (int32_t i = 1; i <= bound; ++i) {
        DrawStep(run.window, i, bound, kCopyingCaption);
        const std::string name = run.state.LayoutNames[static_cast<size_t>(i)];
        if (!IsFolder(LayoutsPath + name))
            continue;
        const std::string screen = screens.Find(name + ".png");
        if (!screen.empty())
            CopyUnlessKept(run, name, screen);
    }
}

void CopyDefaultScreen(InstallRun& run) {
    const std::string screen = SourcePath + kLoadingPngName;
    if (!IsFile(screen)) {
        run.window.ShowMessage(Messages[kMsgNoDefaultScreen] + "\r\n" + screen,
                               MessageIcon::Exclamation);
        return;
    }
    DrawStep(run.window, 0, 100, kDefaultCaption);
    const int32_t bound = run.state.LayoutCount;
    for (int32_t m = 1; m <= bound; ++m) {
        DrawStep(run.window, m, bound, kDefaultCaption);
        const std::string name = run.state.LayoutNames[static_cast<size_t>(m)];
        if (IsFolder(LayoutsPath + name))
            CopyUnlessKept(run, name, screen);
    }
}

} // namespace

void InstallLoadingScreens(MainWindowPort& window, LayoutState& state) {
    const LayoutListClaim claim(state);
    if (!claim.Claimed())
        return;
    // Both fields are taken even when the first check fails.
    SourcePath = WithTrailingSeparator(window.FieldText(FolderField::Screens));
    if (!TakeLayoutsFolder(window) || !SourceFolderIsValid(window))
        return;
    LogHeader(window);
    window.SetHourglass(true);
    window.SetProgressVisible(true);
    ListLayouts(state, window);

    InstallRun run{window, state};
    CopyOwnScreens(run);
    WriteLog("Total: " + std::to_string(run.copies) + " copies.");
    if (window.UseDefaultState() == 1)
        CopyDefaultScreen(run);

    window.SetHourglass(false);
    window.ShowMessage(std::to_string(run.copies) + " copies.", MessageIcon::Information);
    window.SetProgressVisible(false);
    state.InstallDone = true;
}
