#include "operations/OperationSteps.h"

#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/PathText.h"

std::string LoadingPngOf(const std::string& layoutsPath, const std::string& name) {
    return layoutsPath + name + kSeparator + kLoadingPngName;
}

bool LoadingPngExists(const std::string& path) {
    return IsFileOrLinkItself(path);
}

void DrawStep(MainWindowPort& window, int32_t value, int32_t maximum, const std::string& caption) {
    window.DrawProgress(value, maximum, caption);
    window.YieldNowAndThen();
}

void RefuseFolderField(MainWindowPort& window, const ProgramState& program, FolderField field) {
    const TextId message =
        field == FolderField::Layouts ? kMsgLayoutsFolderInvalid : kMsgScreensFolderInvalid;
    window.ShowMessage(program.Messages[message], MessageIcon::Exclamation);
    window.FocusField(field);
}

bool TakeLayoutsFolder(MainWindowPort& window, ProgramState& program) {
    program.LayoutsPath = FolderOfField(window.FieldText(FolderField::Layouts));
    if (IsFolder(program.LayoutsPath))
        return true;
    RefuseFolderField(window, program, FolderField::Layouts);
    return false;
}

LayoutListClaim::LayoutListClaim(LayoutState& state)
    : state_(state), claimed_(!state.OperationRunning) {
    if (claimed_)
        state_.OperationRunning = true;
}

LayoutListClaim::~LayoutListClaim() {
    if (claimed_)
        state_.OperationRunning = false;
}
