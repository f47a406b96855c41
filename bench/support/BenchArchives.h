#pragma once

#include <filesystem>
#include <string>

// A generated stand-in for the screen archive: `files` PNG-like pictures of
// mostly incompressible data, sized between minKb and maxKb, in sub-folders.
struct ArchiveVariant {
    std::string name;
    int files;
    bool deflated;
    int minKb = 140, maxKb = 160;
};

// Writes the archive with Python's zipfile (seeded, so every run is alike).
void GenerateArchive(const std::filesystem::path& archive, const ArchiveVariant& variant);

// Reads the archive once so that every method starts from a warm page cache.
void WarmUp(const std::filesystem::path& archive);
