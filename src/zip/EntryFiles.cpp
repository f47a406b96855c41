#include "zip/EntryFiles.h"

#include "services/FileIO.h"
#include "services/PathText.h"
#include "zip/ZipFailures.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

bool WriteWholeFile(const std::string& path, const unsigned char* bytes, uint64_t size) {
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    out.close();
    return !out.fail();
}

} // namespace

void WriteBytesToFile(const std::string& path, const unsigned char* bytes, uint64_t size) {
    const std::string temporary = TemporaryNameBeside(path);
    std::error_code error;
    if (WriteWholeFile(temporary, bytes, size)) {
        fs::rename(FsPath(temporary), FsPath(path), error);
        if (!error)
            return;
    }
    fs::remove(FsPath(temporary), error);
    throw ZipWriteError("Impossible d'écrire le fichier " + path);
}

bool TryDeleteFile(const std::string& path) {
    std::error_code error;
    return fs::remove(FsPath(path), error) && !error;
}
