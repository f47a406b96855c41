#pragma once

#include "services/DownloadFile.h"
#include "support/LocalHttpServer.h"
#include "support/Loopback.h"
#include "support/TempFolder.h"
#include "support/ZipWriter.h"

#include <string>
#include <vector>

// A program folder that already holds an archive, and a local server that
// serves a newer one (also kept as a local file, the target of /to_file.zip).
struct DownloadScene {
    TempFolder folder;
    const std::string newArchive =
        ZipWriter().File("Pacman.png", NoiseBytes(64 * 1024), 0).Build().bytes;
    const std::string oldArchive = ZipWriter().File("Old.png", "an older picture", 0).Build().bytes;
    LocalHttpServer server{newArchive,
                           "file://" + folder.Write("elsewhere/loadscr.zip", newArchive)};
    const std::string programFolder = folder.MakeDir("program");
    const std::string target = folder.Write("program/loadscr.zip", oldArchive);
    // Timeouts short enough for tests, and the same interval as the program.
    DownloadOptions options = [] {
        DownloadOptions shortened;
        shortened.connectTimeout = std::chrono::milliseconds(300);
        shortened.stallTimeout = std::chrono::milliseconds(500);
        return shortened;
    }();

    // Names in the program folder, sorted: shows any temporary file left.
    std::vector<std::string> ProgramFolderNames() const;
    static std::string NoiseBytes(size_t count);
};

// A port of 127.0.0.1 held by a socket that does not listen, so connecting
// is refused, and no other process can take the port while the object
// lives (tests run side by side).
class ClosedPort {
  public:
    ClosedPort();
    ~ClosedPort();
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;
    std::string Url() const;

  private:
    SocketId socket_;
};
