#include "support/BenchArchives.h"

#include "zip/ZipExtractionClass.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

void GenerateArchive(const std::filesystem::path& archive, const ArchiveVariant& variant) {
    const std::string script =
        "import os, random, sys, zipfile, zlib, struct\n"
        "random.seed(7)\n"
        "low, high = int(sys.argv[4]) * 1000, int(sys.argv[5]) * 1000\n"
        "def chunk(kind, data):\n"
        "    return struct.pack('>I', len(data)) + kind + data + "
        "struct.pack('>I', zlib.crc32(kind + data))\n"
        "def picture():\n"
        "    size = random.randint(low, high)\n"
        "    body = os.urandom(size - size // 20) + bytes(size // 20)\n"
        "    ihdr = struct.pack('>IIBBBBB', 1024, 768, 8, 2, 0, 0, 0)\n"
        "    return b'\\x89PNG\\r\\n\\x1a\\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', body) + "
        "chunk(b'IEND', b'')\n"
        "method = zipfile.ZIP_DEFLATED if sys.argv[3] == 'deflated' else zipfile.ZIP_STORED\n"
        "with zipfile.ZipFile(sys.argv[1], 'w', method) as z:\n"
        "    for i in range(int(sys.argv[2])):\n"
        "        z.writestr('screens/set%02d/layout%05d.png' % (i // 100, i), picture())\n";
    const fs::path scriptPath = archive.parent_path() / "make_archive.py";
    std::ofstream(scriptPath) << script;
    const std::string command = "python3 '" + scriptPath.string() + "' '" + archive.string() +
                                "' " + std::to_string(variant.files) +
                                (variant.deflated ? " deflated " : " stored ") +
                                std::to_string(variant.minKb) + " " + std::to_string(variant.maxKb);
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("cannot generate " + archive.string());
}

void WarmUp(const std::filesystem::path& archive) {
    std::ifstream in(archive, std::ios::binary);
    std::vector<char> block(1 << 20);
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::size_t CountFiles(const fs::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        count += entry.is_regular_file();
    return count;
}

void MethodTimes::Record(const RunResult& result, std::size_t filesWritten,
                         std::size_t filesExpected, int round) {
    if (!result.ok || filesWritten != filesExpected)
        std::cerr << name << " failed on run " << round << "\n";
    seconds.push_back(result.seconds);
    peakKilobytes = std::max(peakKilobytes, result.peakKilobytes);
}

void PrintMethodTimes(const MethodTimes& method, const MethodTimes& engine) {
    if (!method.available) {
        std::printf("  %-11s skipped: not installed\n", method.name.c_str());
        return;
    }
    const double median = Median(method.seconds);
    const double engineMedian = Median(engine.seconds);
    std::printf("  %-11s median %.3f s  engine/this %.2f  this/engine %.2f  peak RSS %.1f MB  runs",
                method.name.c_str(), median, engineMedian / median, median / engineMedian,
                static_cast<double>(method.peakKilobytes) / 1024);
    for (const double time : method.seconds)
        std::printf(" %.2f", time);
    std::printf("\n");
}

bool ExtractArchiveWhole(const std::string& archive, const std::string& out) {
    ZipExtractionClass zip;
    const Result<bool> opened = zip.ZipOpen(archive);
    const Result<bool> extracted =
        opened && *opened ? zip.ExtractAllFiles(out, true, false) : opened;
    if (!extracted)
        std::fprintf(stderr, "engine: %s\n", extracted.Error().what.c_str());
    return extracted && *extracted;
}
