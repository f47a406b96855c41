#pragma once

#include "support/BenchPlatform.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
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

// Opens `archive` with the engine alone and extracts it whole into `out`;
// false, with the failure on stderr when there is one, if it did not.
bool ExtractArchiveWhole(const std::string& archive, const std::string& out);

// Regular files below `folder`, to check that an extraction wrote them all.
std::size_t CountFiles(const std::filesystem::path& folder);

// The runs of one extraction method on one archive.
struct MethodTimes {
    explicit MethodTimes(std::string name, bool available = true)
        : name(std::move(name)), available(available) {}

    std::string name;
    bool available = true;
    std::vector<double> seconds;
    long peakKilobytes = 0;

    // Keeps the run's time and peak; a run that failed or left files out
    // is told on the error stream.
    void Record(const RunResult& result, std::size_t filesWritten, std::size_t filesExpected,
                int round);
};

// One line: the median, the ratios against the engine's median, the peak
// memory and every run's time.
void PrintMethodTimes(const MethodTimes& method, const MethodTimes& engine);
