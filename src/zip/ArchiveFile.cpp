#include "zip/ArchiveFile.h"

#include "services/PathText.h"
#include "zip/ZipFailures.h"

#include <filesystem>
#include <limits>

ArchiveFile::ArchiveFile(const std::string& path) : path_(path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(FsPath(path), error);
    in_.open(FsPath(path), std::ios::binary);
    if (error || !in_)
        throw ZipReadError("Impossible d'ouvrir le fichier " + path);
    size_ = size;
}

void ArchiveFile::Require(uint64_t length) const {
    if (position_ > size_ || length > size_ - position_)
        throw ZipReadError("Lecture au-delà de la fin du fichier " + path_);
}

void ArchiveFile::Read(unsigned char* output, uint64_t length) {
    Require(length);
    if (length > static_cast<uint64_t>(std::numeric_limits<std::streamsize>::max()))
        throw ZipReadError("Lecture impossible dans le fichier " + path_);
    // Seeking drops the stream's buffer, so only seek when the position moved.
    if (streamPosition_ != position_) {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(position_));
    }
    in_.read(reinterpret_cast<char*>(output), static_cast<std::streamsize>(length));
    if (static_cast<uint64_t>(in_.gcount()) != length) {
        streamPosition_ = kUnknownPosition;
        throw ZipReadError("Lecture impossible dans le fichier " + path_);
    }
    position_ += length;
    streamPosition_ = position_;
}

std::vector<unsigned char> ArchiveFile::Read(uint64_t length) {
    Require(length);
    std::vector<unsigned char> bytes(length);
    Read(bytes.data(), length);
    return bytes;
}

std::string ArchiveFile::ReadText(uint64_t length) {
    const std::vector<unsigned char> bytes = Read(length);
    return std::string(bytes.begin(), bytes.end());
}

void ArchiveFile::Skip(uint64_t length) {
    Require(length);
    position_ += length;
}
