// Opens each input as an archive, lists it and extracts it, then checks that
// nothing was written anywhere but the destination folder.
#include "services/PathText.h"
#include "zip/ZipExtractionClass.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path& Scratch() {
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / ("orvane-zip-fuzz-" + std::to_string(getpid()));
        fs::remove_all(path);
        fs::create_directories(path / "box");
        return path;
    }();
    return folder;
}

void WriteInput(const fs::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void ReadListing(const ZipExtractionClass& zip) {
    for (int32_t index = 0; index <= zip.FileCount(); ++index) {
        (void)zip.FileName(index);
        (void)zip.FileDateAndTime(index);
        (void)zip.FileCompressedSize(index);
    }
}

void Exercise(const std::string& archive, const std::string& destination) {
    ZipExtractionClass zip;
    int32_t progressEvents = 0;
    zip.Progress = [&](int32_t, bool& cancel) { cancel = ++progressEvents > 64; };
    // Unreadable archives and unwritable names fail the call: that is allowed.
    if (const Result<bool> opened = zip.ZipOpen(archive); !opened || !*opened)
        return;
    ReadListing(zip);
    (void)zip.ExtractAllFiles(destination, true, false);
    (void)zip.ExtractSingleFile(1, destination, false, true);
}

// Only the input and the destination may exist in the scratch folder.
void CheckNothingEscaped(const fs::path& scratch) {
    for (const auto& entry : fs::directory_iterator(scratch))
        if (entry.path().filename() != "input.zip" && entry.path().filename() != "box")
            std::abort();
    for (const auto& entry : fs::directory_iterator(scratch / "box"))
        if (entry.path().filename() != "out")
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path& scratch = Scratch();
    WriteInput(scratch / "input.zip", data, size);
    const fs::path destination = scratch / "box" / "out";
    Exercise(PathText(scratch / "input.zip"), PathText(destination));
    CheckNothingEscaped(scratch);
    fs::remove_all(destination);
    return 0;
}
