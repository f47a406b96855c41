#include "zip/EntryFiles.h"

#include "services/PathText.h"
#include "zip/NewFile.h"
#include "zip/ZipFailures.h"

#include <atomic>
#include <filesystem>

namespace fs = std::filesystem;

std::string WriteBytesBeside(const std::string& path, const unsigned char* bytes, uint64_t size) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string temporary =
            path + ".tmp-" + ProcessTag() + "-" + std::to_string(counter.fetch_add(1));
        switch (WriteNewFile(temporary, bytes, size)) {
        case NewFileResult::Written:
            return temporary;
        case NewFileResult::NameTaken: // left by an earlier run: try the next name
            continue;
        case NewFileResult::Failed:
            break;
        }
        break;
    }
    throw ZipWriteError("Impossible d'écrire le fichier " + path);
}

bool MoveIntoPlace(const std::string& temporary, const std::string& path) {
    std::error_code error;
    fs::rename(FsPath(temporary), FsPath(path), error);
    if (!error)
        return true;
    fs::remove(FsPath(temporary), error);
    return false;
}
