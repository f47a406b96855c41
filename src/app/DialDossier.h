#pragma once

#include <functional>
#include <string>

// The folder picker behind the two browse buttons, without the dialog itself:
// which folder the dialog opens on, and what its answer becomes.

// Runs the dialog on `startFolder` with `title`; gives the chosen path as the
// dialog returns it, or empty text when the user cancels.
using ShowFolderDialogFn =
    std::function<std::string(const std::string& startFolder, const std::string& title)>;

// The folder the user picks, with a trailing separator, or empty text. The
// dialog starts on the folder that `initialFolder` names (its parent when the
// text does not end with a separator). A cancel gives empty text when
// `emptyOnCancel` is set, otherwise `initialFolder` with a separator.
std::string BrowseForFolder(const ShowFolderDialogFn& showFolderDialog,
                            const std::string& initialFolder, const std::string& title,
                            bool emptyOnCancel);

// The folder the dialog opens on for a start text: the first drive root when
// the text is empty, a drive root with its separator, any other folder without.
std::string StartFolderForDialog(const std::string& text);

// True when `text` occurs in the machine's list of drive roots, ignoring case
// ("/" is the only one on POSIX).
bool IsDriveRoot(const std::string& text);

// The same test against a given list: roots each followed by a zero character.
bool OccursInDriveList(const std::string& text, const std::string& driveList);

// `text` with one trailing separator added / removed when needed; empty text
// stays empty.
std::string WithBackslash(const std::string& text);
std::string WithoutBackslash(const std::string& text);

// The dialog's title: `title`, or the program's own when the caller gives none.
std::string FolderDialogTitle(const std::string& title);
