#include "operations/InstallScreens.h"

#include "operations/LayoutListing.h"
#include "operations/LinkDecisions.h"
#include "operations/OperationSteps.h"
#include "operations/ScreenDecision.h"
#include "operations/ScreenFinder.h"
#include "operations/ScreenPicture.h"
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
    // The stamp of the last screen copied, for the undo's journal.
    std::string stampedScreen{};
    std::optional<ContentStamp> stamp{};
};

// " (Sonic _ Knuckles.png, not a PNG)": the linked screen's name and what
// is wrong with the picture, so that a reader of the log can find both.
std::string CopyNotes(const FileEnds& screenEnds, const std::string& linkedName) {
    std::vector<std::string> notes;
    if (!linkedName.empty())
        notes.push_back(linkedName);
    switch (PngEndsOf(screenEnds)) {
    case PngEnds::NotAPng:
        notes.push_back("not a PNG");
        break;
    case PngEnds::Cut:
        notes.push_back("a cut PNG");
        break;
    case PngEnds::Whole:
        break;
    }
    std::string text;
    for (const std::string& note : notes)
        text += (text.empty() ? " (" : ", ") + note;
    return text.empty() ? text : text + ")";
}

// Copies `screen` beside `destination`. The journal's stamp is taken from
// the bytes the copy reads, so a screen is read once; the default screen,
// which goes to every layout, is stamped by its first copy and the system
// copies it alone from then on.
Status StageScreen(InstallRun& run, const std::string& screen, const std::string& destination,
                   ItselfKind kind, StagedCopy& copy) {
    if (!run.undo.Recording() || screen == run.stampedScreen)
        return StageFileOperationOnto(screen, destination, kind, kFileOperationNoConfirmation,
                                      copy);
    StampTaker taker;
    Status staged = StageFileOperationOnto(
        screen, destination, kind, kFileOperationNoConfirmation, copy,
        [&](const unsigned char* bytes, uint64_t size) { taker.Add(bytes, size); });
    if (staged) {
        run.stampedScreen = screen;
        run.stamp = taker.Stamp();
    }
    return staged;
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
void CopyUnlessKept(InstallRun& run, const std::string& name, const std::string& screen,
                    const std::string& linkedName = {}) {
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
    const std::string failed = "  Error while copying " + screen + " to " + destination;
    // The copy is whole beside the destination before the journal names it.
    StagedCopy copy;
    copy.KeepSourceEnds(); // for the log's note on a picture that is not a whole PNG
    if (!StageScreen(run, screen, destination, kind, copy)) {
        WriteLog(failed);
        return;
    }
    const UndoEntryNumber entry = run.undo.Recording() ? run.undo.Begin(name, keeping, run.stamp)
                                                       : UndoEntryNumber(int64_t{0});
    if (keeping && !run.undo.Keep(entry, destination)) {
        run.undo.Fail(entry);
        WriteLog(failed);
        return;
    }
    if (copy.Place()) {
        WriteLog("  " + name + "  Ok" + CopyNotes(copy.SourceEnds(), linkedName));
        ++run.copies;
        run.undo.Done(entry);
        return;
    }
    WriteLog(failed);
    // The old file comes back; should even that fail, the journal still
    // sends it back with the undo.
    if (!keeping || run.undo.PutBack(entry, destination))
        run.undo.Fail(entry);
}

// The screen the user linked to a layout without one of its own name, and
// its name as the screens folder spells it; never a proposal.
std::string LinkedScreen(ScreenFinder& screens, const ScreenLinks& links, const std::string& name,
                         const std::string& sourcePath, std::string& linkedName) {
    const std::optional<std::string> linked = links.ScreenOf(name);
    if (!linked || linked->empty())
        return {};
    std::string screen = screens.Find(*linked + ".png");
    if (!screen.empty())
        linkedName = screens.NameOnDisk(screen.substr(sourcePath.size()));
    return screen;
}

void CopyOwnScreens(InstallRun& run) {
    ScreenFinder screens(run.program.SourcePath);
    const ScreenLinks links = ReadScreenLinks(ScreenLinksPath(run.program.machine));
    const int32_t bound = run.state.LayoutCount;
    for (int32_t i = 1; i <= bound; ++i) {
        DrawStep(run.window, i, bound, kCopyingCaption);
        const std::string name = run.state.LayoutNames[static_cast<size_t>(i)];
        if (!IsListedFolder(run.state, i))
            continue;
        std::string linkedName;
        std::string screen = screens.Find(name + ".png");
        if (screen.empty() && links.Count() > 0)
            screen = LinkedScreen(screens, links, name, run.program.SourcePath, linkedName);
        if (!screen.empty())
            CopyUnlessKept(run, name, screen, linkedName);
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
