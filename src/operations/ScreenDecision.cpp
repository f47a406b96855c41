#include "operations/ScreenDecision.h"

bool CopyGoesAhead(bool loadingPngExists, bool overwrite) {
    return !loadingPngExists || overwrite;
}

ScreenAction DecideScreen(const LayoutFacts& facts, const InstallOptions& options) {
    bool exists = facts.loadingPngExists;
    ScreenAction action = exists ? ScreenAction::Keep : ScreenAction::Nothing;
    if (facts.ownScreenFound && CopyGoesAhead(exists, options.overwrite)) {
        action = ScreenAction::Copy;
        exists = true;
    }
    if (options.useDefault && options.defaultScreenExists &&
        CopyGoesAhead(exists, options.overwrite))
        action = ScreenAction::CopyDefault;
    return action;
}
