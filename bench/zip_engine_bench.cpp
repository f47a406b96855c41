// Extraction of a loading-screen archive by the engine, against `unzip -q`
// and `bsdtar -xf` where they exist, on every system the engine builds for.
// zip_extract_bench measures more (the unzip window, small files) but only
// where processes are POSIX ones.
//
//   zip_engine_bench [files=3000] [runs=5] [work folder=<temp>/orvane-zip-bench] [archive]
//
// Generates the archive (pictures of about 150 KB of mostly incompressible
// PNG-like data in sub-folders) once deflated and once stored, then runs the
// methods in turn (the last a bare loop writing the same files, the floor), each into its own empty
// folder with the archive read once just before, and reports median wall times, ratios and the
// engine's peak memory. Output folders are deleted only at the end: this file system slows down
// file creation for a while after mass deletion.
//
// With an archive named, only that archive is extracted, by the engine
// alone where the other tools are missing: the way to run the same archive
// here and on another system (Windows, or Wine) and compare the medians.
#include "services/FileSystem.h"
#include "services/PathText.h"
#include "support/BenchArchives.h"
#include "support/BenchPlatform.h"
#include "zip/ZipExtractionClass.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool ExtractWithEngine(const std::string& archive, const std::string& out) {
    return ExtractArchiveWhole(archive, out);
}

// The floor: the same files created, written and renamed into place with no
// archive at all, the least any extraction costs on this system. Folders are
// made once each, as the engine makes them.
bool WriteSameFilesBare(const std::string& archive, const std::string& out) {
    ZipExtractionClass zip;
    if (const Result<bool> opened = zip.ZipOpen(archive); !opened || !*opened)
        return false;
    const std::vector<unsigned char> bytes(1 << 20, 0x5A);
    std::string madeFolder;
    for (int32_t i = 1; i <= zip.FileCount(); ++i) {
        std::string name = zip.FileName(i);
        std::replace(name.begin(), name.end(), '/', kSeparator);
        const uint64_t size = static_cast<uint64_t>(zip.FileUncompressedSize(i));
        if (size == 0)
            continue;
        const std::string target = out + kSeparator + name;
        const std::string folder = target.substr(0, target.rfind(kSeparator));
        std::error_code error;
        if (folder != madeFolder)
            fs::create_directories(FsPath(folder), error);
        madeFolder = folder;
        NewFile file;
        if (!CreateBeside(target, file))
            return false;
        for (uint64_t left = size; left > 0;) {
            const uint64_t chunk = std::min<uint64_t>(left, bytes.size());
            (void)file.Write(bytes.data(), chunk); // Commit() below tells a failed write
            left -= chunk;
        }
        const std::string temporary = file.Path();
        if (!file.Commit() || !MoveOver(temporary, target))
            return false;
    }
    return true;
}

RunResult RunToolInto(const std::vector<std::string>& arguments) {
    fs::create_directories(arguments.back());
    return RunTool(arguments);
}

void RunVariant(const fs::path& work, const std::string& variant, int files, int runs,
                const fs::path& given = {}) {
    const fs::path archive = given.empty() ? work / ("loadscr-" + variant + ".zip") : given;
    if (given.empty())
        GenerateArchive(archive, {variant, files, variant == "deflated"});
    std::vector<MethodTimes> methods = {MethodTimes("engine"),
                                        MethodTimes("unzip -q", ToolExists("unzip")),
                                        MethodTimes("bsdtar -xf", ToolExists("bsdtar")),
                                        MethodTimes("floor (create, write, rename)")};
    for (int round = 0; round < runs; ++round)
        for (std::size_t m = 0; m < methods.size(); ++m) {
            if (!methods[m].available)
                continue;
            const fs::path out =
                work / (variant + "-" + std::to_string(m) + "-" + std::to_string(round));
            WarmUp(archive);
            RunResult result;
            if (m == 0)
                result = RunIsolated(ExtractWithEngine, archive.string(), out.string());
            else if (m == 1)
                result = RunToolInto({"unzip", "-q", archive.string(), "-d", out.string()});
            else if (m == 2)
                result = RunToolInto({"bsdtar", "-xf", archive.string(), "-C", out.string()});
            else
                result = RunIsolated(WriteSameFilesBare, archive.string(), out.string());
            methods[m].Record(result, CountFiles(out), static_cast<std::size_t>(files), round);
        }
    const double archiveMb = static_cast<double>(fs::file_size(archive)) / 1e6;
    std::printf("\n%s archive: %d files, %.1f MB, %d runs each (alternated)\n", variant.c_str(),
                files, archiveMb, runs);
    for (const MethodTimes& method : methods)
        PrintMethodTimes(method, methods[0]);
    const double floor = Median(methods[3].seconds);
    if (floor > 0)
        std::printf("engine/floor: %.2f\n", Median(methods[0].seconds) / floor);
}

} // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const fs::path work = argc > 3 ? fs::path(argv[3])
                                   : fs::temp_directory_path() /
                                         ("orvane-zip-bench-" + std::to_string(ProcessNumber()));
    const fs::path given = argc > 4 ? fs::path(argv[4]) : fs::path();
    fs::create_directories(work);
    std::printf("ZIP extraction benchmark (largest entry about 160 KB)\n");
    try {
        if (!given.empty()) {
            RunVariant(work, given.filename().string(), files, runs, given);
        } else {
            RunVariant(work, "deflated", files, runs);
            RunVariant(work, "stored", files, runs);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    std::printf("\ncleaning up %s\n", work.string().c_str());
    fs::remove_all(work);
    return 0;
}
