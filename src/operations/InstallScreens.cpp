#include "operations/InstallScreens.h"

#include "operations/LayoutListing.h"
#include "operations/OperationSteps.h"
#include "operations/ScreenDecision.h"
#include "operations/ScreenFinder.h"
#include "operations/ShellFileOperation.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"

namespace {

constexpr const char* kCopyingCaption = "Copying...";
constexpr const char* kDefaultCaption = "Default loading.png";

struct InstallRun {
    MainWindowPort& window;
    const ProgramState& program;
    LayoutState& state;
    UndoRecorder& undo;
    int32_t copies = 0;
    // The stamp of the last screen read for the undo's journal.
    std::string stampedScreen{};
    std::optional<ContentStamp> stamp{};
};

// The default screen goes to every layout: it is read for its stamp once,
// not once per copy.
const std::optional<ContentStamp>& StampOfScreen(InstallRun& run, const std::string& screen) {
    if (screen != run.stampedScreen) {
        run.stamp = StampOf(screen);
        run.stampedScreen = screen;
    }
    return run.stamp;
}

bool SourceFolderIsValid(MainWindowPort& window, const ProgramState& program) {
    if (IsFolder(program.SourcePath))
        return true;
    RefuseFolderField(window, program, FolderField::Screens);
    return false;
}

void LogHeader(const MainWindowPort& window, const ProgramState& program) {
    WriteLog(" ");
    WriteLog("Install loading screens", "", true);
    WriteLog(" LayoutsPath =" + program.LayoutsPath);
    WriteLog(" SourcePath  =" + program.SourcePath);
    WriteLog(" Overwrite   =" + std::to_string(window.OverwriteState()));
    WriteLog(" UseDefault  =" + std::to_string(window.UseDefaultState()));
}

// Copies `screen` as the loading.png of the layout `name`, unless one is
// there and Overwrite is off. The box is read now: the user may change it
// while the run goes on.
void CopyUnlessKept(InstallRun& run, const std::string& name, const std::string& screen) {
    const std::string destination = LoadingPngOf(run.program.LayoutsPath, name);
    // One look serves the decision, the keeping and the copy.
    const ItselfKind kind = KindOfItself(destination);
    const bool exists = kind == ItselfKind::File || kind == ItselfKind::Link;
    if (!CopyGoesAhead(exists, run.window.OverwriteState() != 0)) {
        WriteLog("  " + name + "  skipped because already exists.");
        return;
    }
    // A folder there makes the copy fail as it always did: nothing to keep.
    const bool keeping = kind == ItselfKind::File || (exists && !IsFolder(destination));
    const UndoEntryNumber entry = run.undo.Recording()
                                      ? run.undo.Begin(name, keeping, StampOfScreen(run, screen))
                                      : UndoEntryNumber(int64_t{0});
    if (keeping && !run.undo.Keep(entry, destination)) {
        run.undo.Fail(entry);
        WriteLog("  Error while copying " + screen + " to " + destination);
        return;
    }
    if (ShellFileOperationOnto(screen, destination, kind, kFileOperationCopy,
                               kFileOperationNoConfirmation)) {
        WriteLog("  " + name + "  Ok");
        ++run.copies;
        run.undo.Done(entry);
        return;
    }
    WriteLog("  Error while copying " + screen + " to " + destination);
    // The old file comes back; should even that fail, the journal still
    // sends it back with the undo.
    if (!keeping || run.undo.PutBack(entry, destination))
        run.undo.Fail(entry);
}

void CopyOwnScreens(InstallRun& run) {
    ScreenFinder screens(run.program.SourcePath);
    const int32_t bound = run.state.LayoutCount;
    for (int32_t i = 1; i <= bound; ++i) {
        DrawStep(run.window, i, bound, kCopyingCaption);
        const std::string name = run.state.LayoutNames[static_cast<size_t>(i)];
        if (!IsListedFolder(run.state, i))
            continue;
        const std::string screen = screens.Find(name + ".png");
        if (!screen.empty())
            CopyUnlessKept(run, name, screen);
    }
}

void CopyDefaultScreen(InstallRun& run) {
    const std::string screen = run.program.SourcePath + kLoadingPngName;
    if (!IsFile(screen)) {
        run.window.ShowMessage(run.program.Messages[kMsgNoDefaultScreen] + "\r\n" + screen,
                               MessageIcon::Exclamation);
        return;
    }
    DrawStep(run.window, 0, 100, kDefaultCaption);
    const int32_t bound = run.state.LayoutCount;
    for (int32_t m = 1; m <= bound; ++m) {
        DrawStep(run.window, m, bound, kDefaultCaption);
        const std::string name = run.state.LayoutNames[static_cast<size_t>(m)];
        if (IsListedFolder(run.state, m))
            CopyUnlessKept(run, name, screen);
    }
}

} // namespace

void InstallLoadingScreens(MainWindowPort& window, ProgramState& program, LayoutState& state,
                           const UndoPlace* undo) {
    const LayoutListClaim claim(state);
    if (!claim.Claimed())
        return;
    // Both fields are taken even when the first check fails.
    program.SourcePath = FolderOfField(window.FieldText(FolderField::Screens));
    if (!TakeLayoutsFolder(window, program) || !SourceFolderIsValid(window, program))
        return;
    const LogKeptOpen log;
    LogHeader(window, program);
    window.SetHourglass(true);
    window.SetProgressVisible(true);
    ListLayouts(program.LayoutsPath, state, window);

    UndoRecorder recorder(undo, UndoKind::Install, program.LayoutsPath,
                          program.machine.timeOfDay());
    InstallRun run{window, program, state, recorder};
    CopyOwnScreens(run);
    WriteLog("Total: " + std::to_string(run.copies) + " copies.");
    if (window.UseDefaultState() == 1)
        CopyDefaultScreen(run);
    recorder.Finish();

    window.SetHourglass(false);
    window.ShowMessage(std::to_string(run.copies) + " copies.", MessageIcon::Information);
    window.SetProgressVisible(false);
    state.InstallDone = true;
}
