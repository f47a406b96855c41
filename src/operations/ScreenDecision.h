#pragma once

// What the install does with one layout folder. The install and the view
// of screens both ask here, so what the view announces is what the install
// does.
enum class ScreenAction {
    Copy,        // the layout's own screen becomes its loading.png
    Keep,        // the layout keeps the loading.png it has
    CopyDefault, // the source folder's own loading.png becomes its loading.png
    Nothing,     // no screen found and no loading.png: the layout stays without one
};

// One copy of the install: true when `loadingPngExists` would be replaced
// (or created). Without Overwrite an existing loading.png stays.
bool CopyGoesAhead(bool loadingPngExists, bool overwrite);

// What one layout folder ends with after the whole install.
struct LayoutFacts {
    bool ownScreenFound = false; // <layout>.png in the source folder
    bool loadingPngExists = false;
};
struct InstallOptions {
    bool overwrite = false;
    bool useDefault = false;
    // The source folder has its own loading.png (with useDefault only).
    bool defaultScreenExists = false;
};

// The install copies the layout's own screen first, then, with "Use default
// screen", the default screen over every layout, both under the same
// Overwrite rule: with both options on, the default screen is what stays.
ScreenAction DecideScreen(const LayoutFacts& facts, const InstallOptions& options);
