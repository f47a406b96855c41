#include "zip/ArchiveFile.h"

#include <algorithm>
#include <cstring>

namespace {

// Records and names are read a few bytes at a time: one read of this size
// serves many of them.
constexpr uint64_t kWindowSize = 64 * 1024;

Failure CannotOpen(const std::string& path) {
    return SystemFailure("Impossible d'ouvrir le fichier " + path, 0);
}

} // namespace

ArchiveFile::ArchiveFile(std::unique_ptr<FileForReading> handle, const std::string& path)
    : handle_(std::move(handle)), path_(path) {}

Result<std::unique_ptr<ArchiveFile>> ArchiveFile::Open(const std::string& path) {
    Result<std::unique_ptr<ArchiveFile>> opened = OpenRegular(path);
    if (opened && !*opened)
        return CannotOpen(path);
    return opened;
}

Result<std::unique_ptr<ArchiveFile>> ArchiveFile::OpenRegular(const std::string& path) {
    FileForReading::Opened outcome{};
    std::unique_ptr<FileForReading> handle = FileForReading::Open(path, outcome);
    if (outcome == FileForReading::Opened::Refused)
        return CannotOpen(path);
    if (!handle)
        return std::unique_ptr<ArchiveFile>();
    return std::unique_ptr<ArchiveFile>(new ArchiveFile(std::move(handle), path));
}

Status ArchiveFile::RequireAt(uint64_t offset, uint64_t length) const {
    if (offset > Size() || length > Size() - offset)
        return FailureOf(FailureCause::Damaged, "Lecture au-delà de la fin du fichier " + path_);
    return Success();
}

Status ArchiveFile::ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const {
    if (Status inside = RequireAt(offset, length); !inside)
        return inside;
    if (!handle_->ReadAt(offset, output, length))
        return SystemFailure("Lecture impossible dans le fichier " + path_, 0);
    return Success();
}

Status ArchiveFile::FillWindow() {
    window_.resize(std::min(kWindowSize, Size() - position_));
    windowStart_ = position_;
    Status filled = ReadAt(position_, window_.data(), window_.size());
    if (!filled)
        window_.clear();
    return filled;
}

Status ArchiveFile::Read(unsigned char* output, uint64_t length) {
    if (Status inside = Require(length); !inside || length == 0)
        return inside;
    if (length >= kWindowSize / 4) {
        if (Status read = ReadAt(position_, output, length); !read)
            return read;
    } else {
        if (position_ < windowStart_ || position_ + length > windowStart_ + window_.size())
            if (Status filled = FillWindow(); !filled)
                return filled;
        std::memcpy(output, window_.data() + (position_ - windowStart_), length);
    }
    position_ += length;
    return Success();
}

Result<std::vector<unsigned char>> ArchiveFile::Read(uint64_t length) {
    if (Status inside = Require(length); !inside)
        return inside.Error();
    std::vector<unsigned char> bytes(length);
    if (Status read = Read(bytes.data(), length); !read)
        return read.Error();
    return bytes;
}

Result<std::string> ArchiveFile::ReadText(uint64_t length) {
    if (Status inside = Require(length); !inside)
        return inside.Error();
    std::string text(length, '\0');
    if (Status read = Read(reinterpret_cast<unsigned char*>(text.data()), length); !read)
        return read.Error();
    return text;
}

Status ArchiveFile::Skip(uint64_t length) {
    if (Status inside = Require(length); !inside)
        return inside;
    position_ += length;
    return Success();
}
