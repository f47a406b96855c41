#include "operations/DownloadScreens.h"

#include "app/ProgramInfo.h"
#include "app/Settings.h"
#include "operations/UnzipScreens.h"
#include "services/LogFile.h"
#include "services/ProfileFile.h"
#include "services/UrlCache.h"
#include "zip/ZipEndProbe.h"

#include <algorithm>

namespace {

// Cached copies of the archive from any server and folder.
constexpr const char* kCachedArchiveEnding = "loadscr.zip";
constexpr const char* kProgressCaption = "Downloading...";
constexpr int32_t kFullBar = 100;

int32_t ReceivedShare(int64_t received, int64_t expected) {
    return static_cast<int32_t>(std::min(received, expected) * kFullBar / expected);
}

// Keeps the window alive during the transfer: the bar follows the bytes when
// the server announced a length, otherwise the window only repaints. Only an
// archive the engine will open replaces the one there: an error page served
// with status 200 must not.
DownloadOptions ForWindow(MainWindowPort& window, DownloadOptions options) {
    options.acceptBody = HasZipEndRecord;
    options.progress = [&window](int64_t received, int64_t expected) {
        if (expected > 0)
            window.DrawProgress(ReceivedShare(received, expected), kFullBar, kProgressCaption);
        else
            window.YieldToWindow();
    };
    return options;
}

void ReportFailure(MainWindowPort& window, const ProgramState& program, const std::string& url) {
    window.SetHourglass(false);
    WriteLog("Can't download !");
    window.ShowMessage(program.Messages[kMsgCannotDownload] + "\r\n" + url,
                       MessageIcon::Exclamation);
}

void RunDownload(MainWindowPort& window, const ProgramState& program,
                 const DownloadOptions& options) {
    const std::string url = ReadSetting(kKeyUrl, "", kDefaultArchiveUrl);
    WriteLog(" ");
    WriteLog("Try to download " + url);
    window.SetProgressVisible(true);
    window.DrawProgress(0, kFullBar, kProgressCaption);
    window.SetHourglass(true);
    window.YieldToWindow();

    PurgeUrlCache(kCachedArchiveEnding);
    if (DownloadFile(url, ScreensArchivePath(program.machine), "", true, 0,
                     ForWindow(window, options)) != 0)
        ReportFailure(window, program, url);

    window.SetHourglass(false);
    window.ShowMessage(program.Messages[kMsgFinished], MessageIcon::Information);
    window.SetProgressVisible(false);
}

} // namespace

void DownloadScreens(MainWindowPort& window, ProgramState& program,
                     const DownloadOptions& options) {
    program.downloadGuard.Run([&] { RunDownload(window, program, options); });
}
