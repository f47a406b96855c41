#include "services/DownloadFile.h"

#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/HttpTransfer.h"
#include "services/PathText.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool PrepareFolderOf(const std::string& localFile) {
    const fs::path folder = FsPath(localFile).parent_path();
    if (folder.empty())
        return true; // the current folder
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

// The body, whole, in the committed file `sink` names. Fails as the
// transfer does (HttpTransfer.h), or System when the file cannot be closed.
Status FetchInto(NewFile& sink, const std::string& url, const DownloadOptions& options) {
    if (Status transferred = TransferInto(sink, url, options); !transferred)
        return transferred;
    if (!sink.Commit())
        return SystemFailure("write " + sink.Path(), 0);
    return Success();
}

// Removes the fetched file on every way out, unless it went into place.
struct FetchedFile {
    std::string path;
    bool placed = false;
    ~FetchedFile() {
        if (!path.empty() && !placed)
            (void)RemoveFile(path); // a leftover draft is tidied at the next start
    }
};

int32_t Download(const std::string& url, const std::string& localFile, bool prepareFolder,
                 const DownloadOptions& options) {
    if (prepareFolder && !PrepareFolderOf(localFile))
        return kDownloadFolderNotPrepared;
    // A download that was killed could not remove its temporary file.
    RemoveTemporaryLeftovers(localFile);
    NewFile sink;
    if (!CreateBeside(localFile, sink))
        return kDownloadCannotWrite;
    FetchedFile fetched{sink.Path()};
    if (const Status fetched = FetchInto(sink, url, options); !fetched)
        return DownloadCodeOf(fetched.Error());
    // An error page served with status 200 must not replace a good archive.
    if (options.acceptBody && !options.acceptBody(fetched.path))
        return kDownloadNotAnArchive;
    if (!MoveOver(fetched.path, localFile))
        return kDownloadCannotReplace;
    fetched.placed = true;
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
