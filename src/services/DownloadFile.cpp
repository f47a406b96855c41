#include "services/DownloadFile.h"

#include "services/FileIO.h"
#include "services/FileUtils.h"
#include "services/HttpTransfer.h"
#include "services/NewFileStream.h"
#include "services/PathText.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Removes the temporary file on every way out, unless it went into place.
class TemporaryFileGuard {
  public:
    explicit TemporaryFileGuard(std::string path) : path_(std::move(path)) {}
    ~TemporaryFileGuard() {
        std::error_code error;
        if (!placed_)
            fs::remove(FsPath(path_), error);
    }
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

    const std::string& Path() const { return path_; }
    void Placed() { placed_ = true; }

  private:
    std::string path_;
    bool placed_ = false;
};

bool PrepareFolderOf(const std::string& localFile) {
    const fs::path folder = FsPath(localFile).parent_path();
    if (folder.empty())
        return true; // the current folder
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

int32_t FetchInto(const std::string& temporary, const std::string& url,
                  const DownloadOptions& options) {
    std::FILE* sink = OpenNewFileForWriting(temporary);
    if (sink == nullptr)
        return kDownloadCannotWrite;
    const TransferResult result = TransferInto(sink, url, options);
    const bool written = std::ferror(sink) == 0;
    const bool closed = std::fclose(sink) == 0;
    if (result.outcome == TransferOutcome::Succeeded && !(written && closed))
        return kDownloadCannotWrite;
    return DownloadCodeOf(result);
}

int32_t Download(const std::string& url, const std::string& localFile, bool prepareFolder,
                 const DownloadOptions& options) {
    if (prepareFolder && !PrepareFolderOf(localFile))
        return kDownloadFolderNotPrepared;
    // A download that was killed could not remove its temporary file.
    RemoveTemporaryLeftovers(localFile);
    TemporaryFileGuard temporary(TemporaryNameBeside(localFile));
    const int32_t result = FetchInto(temporary.Path(), url, options);
    if (result != kDownloadSucceeded)
        return result;
    // An error page served with status 200 must not replace a good archive.
    if (options.acceptBody && !options.acceptBody(temporary.Path()))
        return kDownloadNotAnArchive;
    std::error_code error;
    fs::rename(FsPath(temporary.Path()), FsPath(localFile), error);
    if (error)
        return kDownloadCannotReplace;
    temporary.Placed();
    return IsFile(localFile) ? kDownloadSucceeded : kDownloadLeftNoFile;
}

} // namespace

int32_t DownloadFile(const std::string& url, const std::string& localFile,
                     const std::string& /*unused*/, bool prepareFolder, int32_t /*ownerWindow*/,
                     const DownloadOptions& options) {
    try {
        return Download(url, localFile, prepareFolder, options);
    } catch (const std::exception&) {
        return kDownloadCannotStart;
    }
}
