#include "operations/UndoJournal.h"

#include "services/PathText.h"

#include <charconv>
#include <map>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kMagic = "OrvanePatchLayouts undo store 1";
constexpr const char* kJournalName = "manifest.txt";
constexpr const char* kKeptName = "kept";

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
    if (found != indexOf.end())
        (settles ? entries[found->second].settled : entries[found->second].done) = true;
    return true;
}

std::string HeaderLines(UndoKind kind, const std::string& layoutsPath, const std::string& time) {
    return std::string(kMagic) + "\nkind\t" + (kind == UndoKind::Install ? "install" : "delete") +
           "\nlayouts\t" + layoutsPath + "\ntime\t" + time + "\n";
}

std::string EntryLine(const UndoEntry& entry) {
    return "entry\t" + std::to_string(entry.number) + "\t" + (entry.kept ? "kept" : "none") + "\t" +
           StampText(entry.after) + "\t" + entry.name + "\n";
}

std::string MarkLine(const char* mark, int64_t number) {
    return std::string(mark) + "\t" + std::to_string(number) + "\n";
}

} // namespace

std::string JournalPathOf(const std::string& store) {
    return store + kSeparator + kJournalName;
}

std::string KeptFolderOf(const std::string& store) {
    return store + kSeparator + kKeptName;
}

namespace {

constexpr int64_t kKeptPerGroup = 64;

std::string KeptNameOf(int64_t number) {
    return std::to_string(number) + ".png";
}

bool AnythingAt(const std::string& path) {
    return KindOf(path) != EntryKind::Missing || IsLinkItself(path);
}

} // namespace

std::string KeptGroupOf(const std::string& store, int64_t number) {
    return KeptFolderOf(store) + kSeparator + std::to_string(number / kKeptPerGroup);
}

std::string KeptFileOf(const std::string& store, int64_t number) {
    return KeptGroupOf(store, number) + kSeparator + KeptNameOf(number);
}

std::string KeptFileFound(const std::string& store, int64_t number) {
    const std::string grouped = KeptFileOf(store, number);
    const std::string flat = KeptFolderOf(store) + kSeparator + KeptNameOf(number);
    return !AnythingAt(grouped) && AnythingAt(flat) ? flat : grouped;
}

std::optional<UndoManifest> ParseJournal(const std::string& text) {
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

Result<UndoManifest> ReadJournal(const std::string& store) {
    const std::string path = JournalPathOf(store);
    const Result<std::string> text = ReadWholeFile(path);
    if (!text)
        return text.Error();
    std::optional<UndoManifest> manifest = ParseJournal(*text);
    if (!manifest)
        return FailureOf(FailureCause::Damaged, "read the header of " + path);
    return std::move(*manifest);
}

Status UndoJournal::Start(const std::string& store, UndoKind kind, const std::string& layoutsPath,
                          const std::string& time) {
    if (Status made = CreateFolder(store); !made)
        return made;
    if (Status made = CreateFolder(KeptFolderOf(store)); !made)
        return made;
    if (Status opened = Reopen(store); !opened)
        return opened;
    return Append(HeaderLines(kind, layoutsPath, time));
}

Status UndoJournal::Reopen(const std::string& store) {
    failure_.reset();
    waitingMarks_.clear();
    Status opened = file_.Open(JournalPathOf(store));
    if (!opened)
        failure_ = opened.Error();
    return opened;
}

// A line reaches the system before the file it names is touched, so a
// crash of the program leaves the journal ahead of the files. Lines are not
// forced to the disk one by one: a rename moves no bytes and cannot lose
// the file, and a copy into the store is made durable on its own.
Status UndoJournal::Append(const std::string& line) {
    if (failure_)
        return *failure_;
    Status written = file_.Append(waitingMarks_ + line);
    waitingMarks_.clear();
    if (!written)
        failure_ = written.Error();
    return written;
}

Status UndoJournal::Begin(const UndoEntry& entry) {
    if (entry.name.find_first_of("\r\n") != std::string::npos)
        return FailureOf(FailureCause::BadName, "journal the layout " + entry.name);
    return Append(EntryLine(entry));
}

void UndoJournal::Done(int64_t number) {
    waitingMarks_ += MarkLine("done", number);
}

Status UndoJournal::Fail(int64_t number) {
    return Append(MarkLine("fail", number));
}

Status UndoJournal::Undone(int64_t number) {
    return Append(MarkLine("undone", number));
}

Status UndoJournal::Close() {
    Status written = waitingMarks_.empty() ? Success() : Append({});
    file_.Close();
    return written;
}
