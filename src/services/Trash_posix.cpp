#include "services/Trash.h"

#include "services/FileSystem.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kNumberedSlots = 1000;

struct TrashPlace {
    fs::path folder;
    fs::path relativeTo; // the Path key is relative to it; empty: absolute
};

// `follow`: of what a link points to rather than of the link itself.
std::optional<dev_t> DeviceOf(const fs::path& path, bool follow = false) {
    struct stat info {};
    if ((follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0)
        return std::nullopt;
    return info.st_dev;
}

std::optional<fs::path> DataHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return fs::path(data);
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return fs::path(home) / ".local" / "share";
    return std::nullopt;
}

// A folder of our own: made when missing, refused when it is a link or
// belongs to somebody else, who could then read or swap what we put there.
bool OwnFolder(const fs::path& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid();
}

bool ReadyTrash(const fs::path& trash) {
    return OwnFolder(trash) && OwnFolder(trash / "files") && OwnFolder(trash / "info");
}

// The highest folder of `path`'s volume: where another volume's trash lives.
fs::path TopFolderOf(const fs::path& path, dev_t device) {
    fs::path top = path.parent_path();
    while (top.has_relative_path() && DeviceOf(top.parent_path(), true) == device)
        top = top.parent_path();
    return top;
}

std::optional<TrashPlace> TrashFor(const fs::path& path, dev_t device) {
    std::error_code error;
    if (const auto data = DataHome()) {
        fs::create_directories(*data, error); // a missing folder fails below
        const fs::path home = *data / "Trash";
        if (DeviceOf(*data, true) == device)
            return ReadyTrash(home) ? std::optional(TrashPlace{home, {}}) : std::nullopt;
    }
    const fs::path top = TopFolderOf(path, device);
    const fs::path own = top / (".Trash-" + std::to_string(::geteuid()));
    if (ReadyTrash(own))
        return TrashPlace{own, top};
    return std::nullopt;
}

std::string Escaped(const std::string& path) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (const unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            text += static_cast<char>(c);
            continue;
        }
        text += '%';
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

std::string InfoText(const fs::path& path, const TrashPlace& place) {
    const std::string named = place.relativeTo.empty()
                                  ? path.string()
                                  : path.lexically_relative(place.relativeTo).string();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[32] = {};
    ::localtime_r(&now, &local);
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + Escaped(named) + "\nDeletionDate=" + date + "\n";
}

// "name", "name.2" and so on; a bin never emptied may hold every numbered
// name, and a name of this moment and process is free then.
std::string SlotName(const std::string& base, int attempt) {
    if (attempt == 1)
        return base;
    if (attempt < kNumberedSlots)
        return base + "." + std::to_string(attempt);
    return base + "." + std::to_string(std::time(nullptr)) + "-" + std::to_string(::getpid()) +
           "-" + std::to_string(attempt);
}

Status WriteInfo(const std::string& infoPath, const std::string& info) {
    NewFile file;
    Status written = file.Create(infoPath, true);
    if (written)
        written = file.Write(info.data(), info.size());
    if (written)
        written = file.Flush();
    return written ? file.Commit() : written;
}

// The info file is written first and claims its name exclusively, so two
// programs trashing the same name at once never take one slot.
Status MoveInto(const fs::path& path, const TrashPlace& place) {
    const std::string base = path.filename().string();
    const std::string info = InfoText(path, place);
    Status moved =
        FailureOf(FailureCause::NameTaken, "find a free name in " + place.folder.string());
    for (int attempt = 1; attempt <= kNumberedSlots + 100; ++attempt) {
        const std::string name = SlotName(base, attempt);
        const fs::path infoPath = place.folder / "info" / (name + ".trashinfo");
        const Status claimed = WriteInfo(infoPath.string(), info);
        if (claimed.Failed(FailureCause::NameTaken))
            continue;
        if (!claimed)
            return claimed;
        moved = MoveWithoutReplacing(path.string(), (place.folder / "files" / name).string());
        if (moved)
            return moved;
        // An info file without its file only misleads the file manager;
        // should it stay, the move's failure is still what is told.
        (void)RemoveFile(infoPath.string());
        if (!moved.Failed(FailureCause::NameTaken))
            return moved;
    }
    return moved;
}

} // namespace

Status MoveToTrash(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(path), error).lexically_normal();
    if (error || !absolute.has_relative_path() || !absolute.has_filename())
        return FailureOf(FailureCause::BadName, "trash " + path, error.value());
    const std::optional<dev_t> device = DeviceOf(absolute);
    if (!device)
        return FailureOf(errno == ENOENT ? FailureCause::NotFound : FailureCause::System,
                         "look at " + path, errno);
    const std::optional<TrashPlace> place = TrashFor(absolute, *device);
    if (!place)
        return SystemFailure("find a trash for " + path, 0);
    return MoveInto(absolute, *place);
}
