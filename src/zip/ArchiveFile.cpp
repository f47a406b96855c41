#include "zip/ArchiveFile.h"

#include "zip/ZipFailures.h"

#include <algorithm>
#include <cstring>

namespace {

// Records and names are read a few bytes at a time: one read of this size
// serves many of them.
constexpr uint64_t kWindowSize = 64 * 1024;

} // namespace

ArchiveFile::ArchiveFile(std::unique_ptr<FileForReading> handle, const std::string& path)
    : handle_(std::move(handle)), path_(path) {}

ArchiveFile::ArchiveFile(const std::string& path) : path_(path) {
    FileForReading::Opened outcome{};
    handle_ = FileForReading::Open(path, outcome);
    if (!handle_)
        throw ZipReadError("Impossible d'ouvrir le fichier " + path);
}

std::unique_ptr<ArchiveFile> ArchiveFile::OpenRegular(const std::string& path) {
    FileForReading::Opened outcome{};
    std::unique_ptr<FileForReading> handle = FileForReading::Open(path, outcome);
    if (outcome == FileForReading::Opened::Refused)
        throw ZipReadError("Impossible d'ouvrir le fichier " + path);
    if (!handle)
        return nullptr;
    return std::unique_ptr<ArchiveFile>(new ArchiveFile(std::move(handle), path));
}

void ArchiveFile::RequireAt(uint64_t offset, uint64_t length) const {
    if (offset > Size() || length > Size() - offset)
        throw ZipReadError("Lecture au-delà de la fin du fichier " + path_);
}

void ArchiveFile::ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const {
    RequireAt(offset, length);
    if (!handle_->ReadAt(offset, output, length))
        throw ZipReadError("Lecture impossible dans le fichier " + path_);
}

void ArchiveFile::FillWindow() {
    window_.resize(std::min(kWindowSize, Size() - position_));
    windowStart_ = position_;
    try {
        ReadAt(position_, window_.data(), window_.size());
    } catch (...) {
        window_.clear();
        throw;
    }
}

void ArchiveFile::Read(unsigned char* output, uint64_t length) {
    Require(length);
    if (length == 0)
        return;
    if (length >= kWindowSize / 4) {
        ReadAt(position_, output, length);
    } else {
        if (position_ < windowStart_ || position_ + length > windowStart_ + window_.size())
            FillWindow();
        std::memcpy(output, window_.data() + (position_ - windowStart_), length);
    }
    position_ += length;
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
