// What every platform's file system does the same way, built on the
// platform's own NewFile, MoveOver and FileForReading.
#include "services/FileSystem.h"

#include "services/FolderEntries.h"
#include "services/PathText.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string_view>
#include <vector>

// This process's number, as the platform file gives it.
const std::string& ProcessTag();

namespace {

const std::string kTemporaryMark = ".tmp-";
constexpr int kNamesTried = 1000;

bool IsNumber(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string FileNameOf(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderOf(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

} // namespace

NewFile::~NewFile() {
    Discard();
}

NewFile::NewFile(NewFile&& other) noexcept
    : native_(other.native_), written_(other.written_), path_(std::move(other.path_)),
      failed_(other.failed_) {
    other.native_ = kClosed;
}

NewFile& NewFile::operator=(NewFile&& other) noexcept {
    if (this != &other) {
        Discard();
        native_ = other.native_;
        path_ = std::move(other.path_);
        written_ = other.written_;
        failed_ = other.failed_;
        other.native_ = kClosed;
    }
    return *this;
}

bool NewFile::Commit() {
    if (!IsOpen())
        return false;
    const bool closed = Close();
    if (closed && !failed_)
        return true;
    RemoveFile(path_);
    return false;
}

void NewFile::Discard() {
    if (!IsOpen())
        return;
    Close();
    RemoveFile(path_);
}

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + kTemporaryMark + ProcessTag() + "-" + std::to_string(counter.fetch_add(1));
}

bool IsTemporaryNameOf(const std::string& name, const std::string& fileName) {
    const std::string prefix = fileName + kTemporaryMark;
    if (!name.starts_with(prefix))
        return false;
    const std::string_view numbers = std::string_view(name).substr(prefix.size());
    const size_t dash = numbers.find('-');
    return dash != std::string_view::npos && IsNumber(numbers.substr(0, dash)) &&
           IsNumber(numbers.substr(dash + 1));
}

CreateResult CreateBeside(const std::string& path, NewFile& file, bool ownerOnly) {
    CreateResult result = CreateResult::Failed;
    // A name left by an earlier run is passed over, never opened.
    for (int attempt = 0; attempt < kNamesTried; ++attempt) {
        result = file.Create(TemporaryNameBeside(path), ownerOnly);
        if (result != CreateResult::NameTaken)
            return result;
    }
    return result;
}

void RemoveTemporaryLeftovers(const std::string& path) {
    const std::string fileName = FileNameOf(path);
    const std::string folder = FolderOf(path);
    std::vector<std::string> leftovers;
    ForEachFolderEntry(folder, [&](const std::string& name, bool /*hidden*/) {
        if (IsTemporaryNameOf(name, fileName))
            leftovers.push_back(folder + name);
        return true;
    });
    // Only regular files: a folder or a link of that name is not ours.
    for (const std::string& leftover : leftovers)
        if (IsRegularFileItself(leftover))
            RemoveFile(leftover);
}

namespace {

// The source is closed when this returns: Windows lets no file that is open
// be replaced, and a file may be copied over itself.
bool CopyInto(const std::string& source, NewFile& output) {
    FileForReading::Opened outcome{};
    const std::unique_ptr<FileForReading> input = FileForReading::Open(source, outcome);
    if (!input)
        return false;
    constexpr uint64_t kChunk = 1 << 20;
    std::vector<unsigned char> buffer(static_cast<size_t>(std::min(input->Size(), kChunk)));
    for (uint64_t done = 0; done < input->Size();) {
        const uint64_t length = std::min(input->Size() - done, kChunk);
        if (!input->ReadAt(done, buffer.data(), length) || !output.Write(buffer.data(), length))
            return false;
        done += length;
    }
    return true;
}

} // namespace

bool CopyOver(const std::string& source, const std::string& target) {
    NewFile output;
    if (CreateBeside(target, output) != CreateResult::Created || !CopyInto(source, output))
        return false;
    const std::string written = output.Path();
    if (!output.Commit())
        return false;
    if (MoveOver(written, target))
        return true;
    RemoveFile(written);
    return false;
}

bool CopyFlushed(const std::string& source, const std::string& target) {
    NewFile output;
    if (CreateBeside(target, output) != CreateResult::Created || !CopyInto(source, output) ||
        !output.Flush())
        return false;
    const std::string written = output.Path();
    if (!output.Commit())
        return false;
    if (MoveWithoutReplacing(written, target))
        return true;
    RemoveFile(written);
    return false;
}

std::optional<std::string> ContentOrEmptyIfMissing(const std::string& path) {
    std::error_code error;
    if (std::filesystem::symlink_status(FsPath(path), error).type() ==
        std::filesystem::file_type::not_found)
        return std::string();
    return ReadWholeFile(path);
}

bool IsRegularFileItself(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(FsPath(path), error).type() ==
           std::filesystem::file_type::regular;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FileForReading::Opened outcome{};
    const std::unique_ptr<FileForReading> file = FileForReading::Open(path, outcome);
    if (!file)
        return std::nullopt;
    std::string content(static_cast<size_t>(file->Size()), '\0');
    if (!file->ReadAt(0, reinterpret_cast<unsigned char*>(content.data()), content.size()))
        return std::nullopt;
    return content;
}
