#pragma once

#include <string>

// Moves the file or folder `path` (a link as a link) into the user's
// freedesktop.org Trash, where the desktop's file manager can restore it:
// the home trash for the volume of $XDG_DATA_HOME, "$topdir/.Trash-$uid"
// for another volume. False, with `path` left as it was, when no trash can
// take it; nothing is ever deleted here.
bool MoveToTrash(const std::string& path);
