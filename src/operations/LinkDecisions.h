#pragma once

#include "app/ProgramState.h"
#include "operations/CoverageList.h"
#include "operations/ScreenLinks.h"
#include "services/Result.h"

#include <functional>
#include <string>
#include <vector>

// What the user decides in the view of screens, kept in the links file of
// the program's folder: a proposal accepted, all the proposals of one rule,
// a screen picked by hand, "no screen wanted", a link forgotten. A guess
// becomes a link only through one of these.

// The links file of the program's folder.
std::string ScreenLinksPath(const MachineFacts& machine);

// The links of `path`: none when the file does not exist; when it cannot
// be read or is larger than kMaxScreenLinksBytes, none, and the log says so.
ScreenLinks ReadScreenLinks(const std::string& path);

// Reads the program's links file, applies `change` and writes the file back
// through the file-system seam. On failure the log says why, the file is as
// it was, and the view shows kCovLinksSaveFailed.
Status ChangeScreenLinks(const ProgramState& program,
                         const std::function<void(ScreenLinks&)>& change);

// Links the row's proposed screen to its layout; false when no proposal waits.
bool AcceptProposal(ScreenLinks& links, const CoverageRow& row);

// Accepts every proposal of `rule` among the listing's rows, those not
// sought yet included; returns how many.
long long AcceptRule(ScreenLinks& links, const CoverageListing& listing, NearRule rule);

enum class PickedScreen {
    Linked,
    OutsideScreensFolder, // the view says kCovPickOutsideScreens
    NotAPngFile,          // not a file ending in ".png"
};

// Links the picture the user picked for `layout`: one of the screens
// folder `screensFolder` (with its separator), named as it is there.
PickedScreen LinkPickedScreen(ScreenLinks& links, const std::string& layout,
                              const std::string& pickedPath, const std::string& screensFolder);
