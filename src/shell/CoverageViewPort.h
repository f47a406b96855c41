#pragma once

#include "app/ProgramState.h"
#include "operations/CoverageList.h"

#include <array>
#include <functional>
#include <string>

// What the view of screens needs of the main window to act on the user's
// decisions, in either shell.
struct CoverageHost {
    const ProgramState* program = nullptr;      // whose links file the decisions change
    std::function<std::string()> screensFolder; // as the field says, with its separator
    std::function<void()> refresh; // asks for a new listing, which comes through SetListing

    // The pictures the view shows for `row` (none without a row).
    std::array<std::string, 2> PicturesOf(const CoverageRow* row) const {
        return row ? PicturesOfRow(*row, screensFolder ? screensFolder() : std::string())
                   : std::array<std::string, 2>{};
    }
};

// The view of screens as the main window's logic sees it, whichever shell
// draws it: it follows installs, deletes, undos and edits of the fields.
class CoverageViewPort {
  public:
    virtual ~CoverageViewPort() = default;
    // A new listing; the selected layout stays selected and in sight.
    virtual void SetListing(CoverageListing listing) = 0;
    // The folders or options changed since the listing was made.
    virtual void MarkOutOfDate() = 0;
    // Whether the user can see it (it is kept, hidden, once closed).
    virtual bool Showing() const = 0;
};
