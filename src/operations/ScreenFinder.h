#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Finds files of one folder by name ignoring letter case, the exact spelling
// first. The folder is listed once, at the first look, and the listing
// answers for the names it shows as files: looking up thousands of names
// costs one listing, not one look each.
class ScreenFinder {
  public:
    // `folder` ends with a separator.
    explicit ScreenFinder(std::string folder);

    // Full path of the file `name` of the folder, or "" when there is none.
    // A folder named `name` does not count.
    std::string Find(const std::string& name);

    // The name of the file `Find` returned as the folder's listing spells
    // it: a system that ignores letter case finds "Pacman.png" as asked for
    // when the disk holds "pacman.PNG".
    std::string NameOnDisk(const std::string& name);

    // The names, without ".png", of the folder's files that end in ".png"
    // (any letter case), the default screen "loading.png" left out: what
    // near names are proposed from, taken from the one listing.
    std::vector<std::string> PngNames();

  private:
    void ListOnce();

    std::string folder_;
    bool listed_ = false;
    // Name without letter case -> names on disk, sorted so the choice is
    // repeatable.
    std::unordered_map<std::string, std::vector<std::string>> byCaseKey_;
    // Names the listing showed as files (links followed).
    std::unordered_set<std::string> listedFiles_;
};
