#include "operations/OperationSteps.h"

#include "app/AppState.h"
#include "app/Messages.h"
#include "services/FileUtils.h"
#include "services/PathText.h"

std::string LoadingPngOf(const std::string& name) {
    return LayoutsPath + name + kSeparator + kLoadingPngName;
}

void DrawStep(MainWindowPort& window, int32_t value, int32_t maximum, const std::string& caption) {
    window.DrawProgress(value, maximum, caption);
    window.YieldToWindow();
}

bool TakeLayoutsFolder(MainWindowPort& window) {
    LayoutsPath = WithTrailingSeparator(window.FieldText(FolderField::Layouts));
    if (IsFolder(LayoutsPath))
        return true;
    window.ShowMessage(Messages[kMsgLayoutsFolderInvalid], MessageIcon::Exclamation);
    window.FocusField(FolderField::Layouts);
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
