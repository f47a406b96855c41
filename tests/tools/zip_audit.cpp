// Extracts every archive named on the command line into a fresh folder and
// checks that each file the engine counts was written or named by an
// error; a call that ends in an exception fails aloud and counts as named.
// Prints one line per archive that loses a file without a word, then the
// totals; exits 1 when there is any.
#include "services/PathText.h"
#include "zip/ZipExtractionClass.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Audit {
    int32_t counted = 0;
    int32_t written = 0;
    int32_t named = 0;
    bool loud = false; // the call ended in an exception
};

int32_t FilesUnder(const fs::path& folder) {
    int32_t count = 0;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
        count += it->is_regular_file(error) ? 1 : 0;
    return count;
}

Audit Extract(const std::string& archive, const fs::path& out) {
    Audit audit;
    ZipExtractionClass zip;
    zip.ZipError = [&](int32_t, const std::string&) { ++audit.named; };
    const Result<bool> opened = zip.ZipOpen(archive);
    if (opened && *opened) {
        audit.counted = zip.FileCount();
        audit.named = 0;
        audit.loud = !zip.ExtractAllFiles(PathText(out), true, false).Ok();
    } else {
        audit.loud = !opened.Ok();
    }
    audit.written = FilesUnder(out);
    return audit;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path scratch =
        fs::temp_directory_path() / ("orvane-zip-audit-" + std::to_string(getpid()));
    int silent = 0;
    int opened = 0;
    for (int i = 1; i < argc; ++i) {
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        const Audit audit = Extract(argv[i], scratch / "out");
        opened += audit.counted > 0 ? 1 : 0;
        if (!audit.loud && audit.written + audit.named < audit.counted) {
            ++silent;
            std::printf("silent: %s counts %d, wrote %d, named %d\n", argv[i], audit.counted,
                        audit.written, audit.named);
        }
    }
    fs::remove_all(scratch);
    std::printf("%d archives, %d with files, %d losing files without a word\n", argc - 1, opened,
                silent);
    return silent == 0 ? 0 : 1;
}
