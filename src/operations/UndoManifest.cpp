#include "operations/UndoManifest.h"

#include "services/FileSystem.h"

#include <charconv>
#include <map>
#include <memory>
#include <sstream>
#include <zlib.h>

namespace {

constexpr const char* kMagic = "OrvanePatchLayouts undo store 1";

std::vector<std::string> SplitTabs(const std::string& line, size_t fields) {
    std::vector<std::string> parts;
    size_t start = 0;
    // The last field takes the rest of the line: a name may hold tabs.
    while (parts.size() + 1 < fields) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string::npos)
            break;
        parts.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    parts.push_back(line.substr(start));
    return parts;
}

template <typename Number> bool ReadNumber(const std::string& text, Number& value, int base = 10) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    return !text.empty() && error == std::errc() && stop == end;
}

std::string StampText(const std::optional<ContentStamp>& stamp) {
    if (!stamp)
        return "none";
    std::ostringstream text;
    text << stamp->size << ':' << std::hex << stamp->hash;
    return text.str();
}

bool ReadStamp(const std::string& text, std::optional<ContentStamp>& stamp) {
    if (text == "none") {
        stamp.reset();
        return true;
    }
    const size_t colon = text.find(':');
    ContentStamp read;
    if (colon == std::string::npos || !ReadNumber(text.substr(0, colon), read.size) ||
        !ReadNumber(text.substr(colon + 1), read.hash, 16))
        return false;
    stamp = read;
    return true;
}

std::optional<UndoEntry> ReadEntry(const std::vector<std::string>& parts) {
    UndoEntry entry;
    if (parts.size() != 5 || parts[0] != "entry" || !ReadNumber(parts[1], entry.number) ||
        (parts[2] != "kept" && parts[2] != "none") || !ReadStamp(parts[3], entry.after) ||
        parts[4].empty())
        return std::nullopt;
    entry.kept = parts[2] == "kept";
    entry.name = parts[4];
    return entry;
}

bool ReadHeader(std::istringstream& lines, UndoManifest& manifest) {
    std::string magic, kind, layouts, time;
    if (!std::getline(lines, magic) || magic != kMagic || !std::getline(lines, kind) ||
        !std::getline(lines, layouts) || !std::getline(lines, time))
        return false;
    const auto kindParts = SplitTabs(kind, 2), layoutParts = SplitTabs(layouts, 2),
               timeParts = SplitTabs(time, 2);
    if (kindParts.size() != 2 || kindParts[0] != "kind" || layoutParts.size() != 2 ||
        layoutParts[0] != "layouts" || layoutParts[1].empty() || timeParts[0] != "time")
        return false;
    if (kindParts[1] != "install" && kindParts[1] != "delete")
        return false;
    manifest.kind = kindParts[1] == "install" ? UndoKind::Install : UndoKind::Delete;
    manifest.layoutsPath = layoutParts[1];
    manifest.time = timeParts.size() == 2 ? timeParts[1] : "";
    return true;
}

// False for a line that is no mark. A mark of an entry whose own line was
// damaged is that same damage, counted once.
bool ApplyMark(const std::vector<std::string>& parts, const std::map<int64_t, size_t>& indexOf,
               std::vector<UndoEntry>& entries) {
    int64_t number = 0;
    const bool settles = parts.size() == 2 && (parts[0] == "fail" || parts[0] == "undone");
    if ((!settles && (parts.size() != 2 || parts[0] != "done")) || !ReadNumber(parts[1], number))
        return false;
    const auto found = indexOf.find(number);
    if (found != indexOf.end() && settles)
        entries[found->second].settled = true;
    return true;
}

} // namespace

std::optional<ContentStamp> StampOf(const std::string& path) {
    FileForReading::Opened outcome{};
    const std::unique_ptr<FileForReading> file = FileForReading::Open(path, outcome);
    if (!file)
        return std::nullopt;
    ContentStamp stamp{file->Size(), crc32_z(0, Z_NULL, 0)};
    constexpr uint64_t kChunk = 1 << 16;
    std::vector<unsigned char> buffer(kChunk);
    for (uint64_t done = 0; done < stamp.size;) {
        const uint64_t length = std::min(stamp.size - done, kChunk);
        if (!file->ReadAt(done, buffer.data(), length))
            return std::nullopt;
        stamp.hash =
            crc32_z(static_cast<uLong>(stamp.hash), buffer.data(), static_cast<size_t>(length));
        done += length;
    }
    return stamp;
}

std::string ManifestHeader(UndoKind kind, const std::string& layoutsPath, const std::string& time) {
    return std::string(kMagic) + "\nkind\t" + (kind == UndoKind::Install ? "install" : "delete") +
           "\nlayouts\t" + layoutsPath + "\ntime\t" + time + "\n";
}

std::string EntryLine(const UndoEntry& entry) {
    if (entry.name.find_first_of("\r\n") != std::string::npos)
        return {};
    return "entry\t" + std::to_string(entry.number) + "\t" + (entry.kept ? "kept" : "none") + "\t" +
           StampText(entry.after) + "\t" + entry.name + "\n";
}

std::string MarkLine(const char* mark, int64_t number) {
    return std::string(mark) + "\t" + std::to_string(number) + "\n";
}

std::optional<UndoManifest> ParseManifest(const std::string& text) {
    std::istringstream lines(text);
    UndoManifest manifest;
    if (!ReadHeader(lines, manifest))
        return std::nullopt;
    manifest.entries.reserve(text.size() / 64);
    std::map<int64_t, size_t> indexOf;
    std::string line;
    while (std::getline(lines, line)) {
        const auto parts = SplitTabs(line, line.starts_with("entry\t") ? 5 : 2);
        if (auto entry = ReadEntry(parts); entry && !indexOf.count(entry->number)) {
            indexOf[entry->number] = manifest.entries.size();
            manifest.entries.push_back(std::move(*entry));
            continue;
        }
        if (!ApplyMark(parts, indexOf, manifest.entries))
            ++manifest.damagedLines;
    }
    return manifest;
}

int64_t KeptCount(const UndoManifest& manifest) {
    int64_t count = 0;
    for (const UndoEntry& entry : manifest.entries)
        count += !entry.settled && entry.kept;
    return count;
}

int64_t AddedCount(const UndoManifest& manifest) {
    int64_t count = 0;
    for (const UndoEntry& entry : manifest.entries)
        count += !entry.settled && !entry.kept && entry.after.has_value();
    return count;
}
