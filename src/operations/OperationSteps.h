#pragma once

#include "app/ProgramState.h"
#include "operations/LayoutState.h"
#include "operations/MainWindowPort.h"

#include <cstdint>
#include <string>

// Pieces shared by the install and the delete.

inline constexpr const char* kLoadingPngName = "loading.png";

// The loading screen of the layout `name`: the layouts folder (with its
// separator), name, separator, "loading.png".
std::string LoadingPngOf(const std::string& layoutsPath, const std::string& name);

// Whether the install counts a loading.png at `path` as the layout's own.
// A link there is the user's, even one that points nowhere or to a folder.
bool LoadingPngExists(const std::string& path);

// One progress step: the drawing, then now and then a yield so the window
// stays alive.
void DrawStep(MainWindowPort& window, int32_t value, int32_t maximum, const std::string& caption);

// Says that the folder of `field` is invalid (the layouts' or the screens'
// own message) and puts the focus on the field.
void RefuseFolderField(MainWindowPort& window, const ProgramState& program, FolderField field);

// Takes the layouts folder from its field into LayoutsPath. When it is not a
// folder (a blank field names none), refuses the field and returns false.
bool TakeLayoutsFolder(MainWindowPort& window, ProgramState& program);

// Marks the layout list as in use for one operation. `Claimed()` is false
// when another operation holds it: the caller must then do nothing at all.
class LayoutListClaim {
  public:
    explicit LayoutListClaim(LayoutState& state);
    ~LayoutListClaim();
    LayoutListClaim(const LayoutListClaim&) = delete;
    LayoutListClaim& operator=(const LayoutListClaim&) = delete;

    bool Claimed() const { return claimed_; }

  private:
    LayoutState& state_;
    bool claimed_;
};
