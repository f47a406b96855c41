#pragma once

#include "services/Result.h"

#include <string>

// Moves the file or folder `path` (a link as a link) into the user's
// freedesktop.org Trash, where the desktop's file manager can restore it:
// the home trash for the volume of $XDG_DATA_HOME, "$topdir/.Trash-$uid"
// for another volume. Fails, with `path` left as it was, when no trash can
// take it (NotFound when nothing is at `path`); nothing is ever deleted here.
Status MoveToTrash(const std::string& path);
