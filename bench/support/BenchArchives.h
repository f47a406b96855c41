#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

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

// The median of run times; the values must not be empty.
double Median(std::vector<double> values);

// Regular files below `folder`, to check that an extraction wrote them all.
std::size_t CountFiles(const std::filesystem::path& folder);
