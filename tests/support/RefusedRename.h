#pragma once

#include <string>

// While the object lives, the file system seam fails to rename `path`, as
// Windows fails for a folder that holds a file another program has open.
class RefusedRename {
  public:
    explicit RefusedRename(const std::string& path);
    ~RefusedRename();
    RefusedRename(const RefusedRename&) = delete;
    RefusedRename& operator=(const RefusedRename&) = delete;
};
