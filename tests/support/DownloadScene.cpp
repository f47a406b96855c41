#include "support/DownloadScene.h"

#include "services/PathText.h"
#include "support/Loopback.h"

#include <algorithm>
#include <filesystem>

std::vector<std::string> DownloadScene::ProgramFolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(programFolder)))
        names.push_back(PathText(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string DownloadScene::NoiseBytes(size_t count) {
    std::string bytes(count, '\0');
    uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

std::string ClosedPortUrl() {
    // A port the system just handed out and took back is free for a while.
    const SocketId probe = BoundLoopbackSocket(0);
    const int port = LocalPort(probe);
    CloseSocket(probe);
    return "http://127.0.0.1:" + std::to_string(port) + "/loadscr.zip";
}
