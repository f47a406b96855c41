#pragma once

#include "services/PathText.h"

#include <filesystem>
#include <string>

// The native separator as text, for the paths a test expects.
inline const std::string kSep(1, kSeparator);

// A name with the punctuation that file names may hold on this system
// (Windows refuses " * ? < > | in them).
#ifdef _WIN32
inline const std::string kPunctuatedName = "with space 'quoted' [square] (round) &+%";
#else
inline const std::string kPunctuatedName = "with space 'quoted' \"double\" *star";
#endif

// True when the file system of `folder` takes "A" and "a" for one name;
// tests of two spellings side by side then skip.
bool NamesIgnoreCase(const std::string& folder);
inline constexpr const char* kNamesIgnoreCase = "file names ignore letter case here";

// `relative`, written with "/", spelt with the native separator.
std::string Native(std::string relative);

// A fresh folder below the system's temporary folder, removed with its
// content when the object goes. Paths are handed out as program text.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing separator.
    std::string Path() const;
    // `relative` (written with "/") below the folder, in native spelling.
    std::string Sub(const std::string& relative) const;
    // Creates `relative` (and its parents) as a folder; returns its path.
    std::string MakeDir(const std::string& relative) const;
    // Writes `content` to `relative`, creating parents; returns its path.
    std::string Write(const std::string& relative, const std::string& content) const;

  private:
    std::filesystem::path root_;
};

// A symbolic link at `link` to `target` (a folder link when `target` is an
// existing folder); false where the system makes none (Wine, Windows
// without the right to): tests of links then skip.
bool MakeSymlink(const std::string& target, const std::string& link);
inline constexpr const char* kNoSymlinks = "no symbolic links on this system";

// The content of a file, or "<missing>" when it cannot be read.
std::string FileContent(const std::string& path);
