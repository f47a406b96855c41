#pragma once

#include <filesystem>
#include <string>

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
    // `relative` below the folder.
    std::string Sub(const std::string& relative) const;
    // Creates `relative` (and its parents) as a folder; returns its path.
    std::string MakeDir(const std::string& relative) const;
    // Writes `content` to `relative`, creating parents; returns its path.
    std::string Write(const std::string& relative, const std::string& content) const;

  private:
    std::filesystem::path root_;
};

// The content of a file, or "<missing>" when it cannot be read.
std::string FileContent(const std::string& path);
