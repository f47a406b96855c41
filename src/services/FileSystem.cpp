// What every platform's file system does the same way, built on the
// platform's own NewFile, MoveOver and FileForReading.
#include "services/FileSystem.h"

#include "services/FolderEntries.h"
#include "services/PathText.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

// This process's number, as the platform file gives it.
const std::string& ProcessTag();
// errno or GetLastError(), as the platform file gives it.
int32_t LastSystemCode();
// Copies all of `input` into the empty `output` the platform's cheapest
// way; the platform file gives it.
Status CopyContent(FileForReading& input, NewFile& output, const std::string& source);
// Moves the open, fully written `draft` over `target` as MoveOver does, and
// closes it; the draft is removed when either fails. The platform file
// gives it.
Status PlaceDraft(NewFile& draft, const std::string& target);

// Whether CopyContent reads through the program's buffer, as the platform
// file tells: then the ends come from that buffer for free.
bool CopyContentPassesThroughBuffer();

// The bytes of `input` from `from` on, through a buffer each thread reuses:
// no copy allocates, nor fills, a buffer of its own.
Status CopyThroughBuffer(FileForReading& input, uint64_t from, NewFile& output,
                         const std::string& source, const BytesSeen& seen) {
    constexpr uint64_t kChunk = 1 << 20;
    thread_local const std::unique_ptr<unsigned char[]> buffer(new unsigned char[kChunk]);
    for (uint64_t done = from; done < input.Size();) {
        const uint64_t length = std::min(input.Size() - done, kChunk);
        if (!input.ReadInOrder(done, buffer.get(), length))
            return SystemFailure("read " + source, LastSystemCode());
        if (seen)
            seen(buffer.get(), length);
        if (Status written = output.Write(buffer.get(), length); !written)
            return written;
        done += length;
    }
    return Success();
}

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
      failure_(std::move(other.failure_)) {
    other.native_ = kClosed;
}

NewFile& NewFile::operator=(NewFile&& other) noexcept {
    if (this != &other) {
        Discard();
        native_ = other.native_;
        path_ = std::move(other.path_);
        written_ = other.written_;
        failure_ = std::move(other.failure_);
        other.native_ = kClosed;
    }
    return *this;
}

Status NewFile::Refused(const char* step) {
    if (!failure_)
        failure_ = SystemFailure(std::string(step) + " " + path_, IsOpen() ? LastSystemCode() : 0);
    return *failure_;
}

Status NewFile::Commit() {
    if (!IsOpen())
        return Refused("commit");
    Status closed = Close();
    if (closed && !failure_)
        return closed;
    if (!failure_)
        failure_ = closed.Error();
    // The draft is gone or was never whole; the failure above is the news.
    (void)RemoveFile(path_);
    return *failure_;
}

void NewFile::Discard() {
    if (!IsOpen())
        return;
    // Dropped on purpose: a discarded draft has nothing left worth telling.
    (void)Close();
    (void)RemoveFile(path_);
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

Status CreateBeside(const std::string& path, NewFile& file, bool ownerOnly) {
    Status created = FailureOf(FailureCause::NameTaken, "create beside " + path);
    // A name left by an earlier run is passed over, never opened.
    for (int attempt = 0; attempt < kNamesTried; ++attempt) {
        created = file.Create(TemporaryNameBeside(path), ownerOnly);
        if (!created.Failed(FailureCause::NameTaken))
            return created;
    }
    return created;
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
    // A leftover that stays is tried again at the next start; nobody waits for it.
    for (const std::string& leftover : leftovers)
        if (IsRegularFileItself(leftover))
            (void)RemoveFile(leftover);
}

namespace {

// Keeps a file's ends as its bytes go by, in order from the first: the same
// ends FileForReading::Ends() reads, without reading them again.
class EndsGatherer {
  public:
    EndsGatherer(FileEnds& ends, uint64_t size) : ends_(ends) {
        ends_ = {};
        ends_.size = size;
        ends_.headRead = size == 0;
        headTo_ = std::min(size, FileEnds::kHeadBytes);
        tailFrom_ = size >= FileEnds::kHeadBytes + FileEnds::kTailBytes
                        ? size - FileEnds::kTailBytes
                        : size;
    }
    void Add(const unsigned char* bytes, uint64_t size) {
        const uint64_t end = at_ + size;
        Keep(bytes, end, 0, headTo_, ends_.head);
        Keep(bytes, end, tailFrom_, ends_.size, ends_.tail);
        at_ = end;
        ends_.headRead = at_ >= headTo_;
        ends_.tailRead = tailFrom_ < ends_.size && at_ == ends_.size;
    }

  private:
    // Copies what this piece, which ends at `end`, holds of [from, to).
    void Keep(const unsigned char* bytes, uint64_t end, uint64_t from, uint64_t to,
              unsigned char* kept) const {
        const uint64_t first = std::max(from, at_);
        const uint64_t last = std::min(to, end);
        if (first < last)
            std::copy(bytes + (first - at_), bytes + (last - at_), kept + (first - from));
    }

    FileEnds& ends_;
    uint64_t headTo_ = 0;
    uint64_t tailFrom_ = 0;
    uint64_t at_ = 0;
};

// The source is closed when this returns: Windows lets no file that is open
// be replaced, and a file may be copied over itself.
Status CopyInto(const std::string& source, NewFile& output, const BytesSeen& seen = {},
                FileEnds* ends = nullptr) {
    FileForReading::Opened outcome{};
    const std::unique_ptr<FileForReading> input = FileForReading::Open(source, outcome);
    if (!input)
        return outcome == FileForReading::Opened::Refused
                   ? SystemFailure("open " + source, LastSystemCode())
                   : FailureOf(FailureCause::NotFound, "no regular file at " + source);
    if (ends && (seen || CopyContentPassesThroughBuffer())) {
        EndsGatherer gatherer(*ends, input->Size());
        return CopyThroughBuffer(*input, 0, output, source,
                                 [&](const unsigned char* bytes, uint64_t size) {
                                     gatherer.Add(bytes, size);
                                     if (seen)
                                         seen(bytes, size);
                                 });
    }
    if (ends)
        *ends = input->Ends();
    return seen ? CopyThroughBuffer(*input, 0, output, source, seen)
                : CopyContent(*input, output, source);
}

// The draft is committed and moved onto `target` by `move`; should the move
// fail, the draft goes and the move's failure is told.
template <typename Move>
Status CommitAndMove(NewFile& output, const std::string& target, Move move) {
    const std::string written = output.Path();
    if (Status committed = output.Commit(); !committed)
        return committed;
    Status moved = move(written, target);
    if (!moved)
        (void)RemoveFile(written); // a leftover draft is tidied at the next start
    return moved;
}

} // namespace

Status CopyOver(const std::string& source, const std::string& target) {
    StagedCopy copy;
    if (Status staged = copy.Stage(source, target); !staged)
        return staged;
    return copy.Place();
}

Status StagedCopy::Stage(const std::string& source, const std::string& target,
                         const BytesSeen& seen) {
    if (staged_.IsOpen())
        return SystemFailure("stage again beside " + target, 0);
    NewFile output;
    if (Status created = CreateBeside(target, output); !created)
        return created;
    ends_ = {};
    // Every write was checked: what is left to fail is told by Place().
    if (Status copied = CopyInto(source, output, seen, keepEnds_ ? &ends_ : nullptr); !copied)
        return copied;
    staged_ = std::move(output);
    target_ = target;
    return Success();
}

Status StagedCopy::Place() {
    if (!staged_.IsOpen())
        return SystemFailure("place a copy never staged", 0);
    NewFile staged = std::move(staged_);
    return PlaceDraft(staged, target_);
}

// For a platform file whose PlaceDraft can only move a closed file by name.
Status CommitAndMoveOver(NewFile& draft, const std::string& target) {
    return CommitAndMove(draft, target, MoveOver);
}

Status CopyFlushed(const std::string& source, const std::string& target) {
    NewFile output;
    if (Status created = CreateBeside(target, output); !created)
        return created;
    if (Status copied = CopyInto(source, output); !copied)
        return copied;
    if (Status flushed = output.Flush(); !flushed)
        return flushed;
    return CommitAndMove(output, target, MoveWithoutReplacing);
}

Result<std::string> ContentOrEmptyIfMissing(const std::string& path, uint64_t maxBytes) {
    std::error_code error;
    if (std::filesystem::symlink_status(FsPath(path), error).type() ==
        std::filesystem::file_type::not_found)
        return std::string();
    return ReadWholeFile(path, maxBytes);
}

bool IsRegularFileItself(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(FsPath(path), error).type() ==
           std::filesystem::file_type::regular;
}

Result<std::string> ReadWholeFile(const std::string& path, uint64_t maxBytes) {
    FileForReading::Opened outcome{};
    const std::unique_ptr<FileForReading> file = FileForReading::Open(path, outcome);
    if (!file)
        return outcome == FileForReading::Opened::Refused
                   ? SystemFailure("open " + path, LastSystemCode())
                   : FailureOf(FailureCause::NotFound, "no regular file at " + path);
    // The size is the open file's own: a bound checked by name could be
    // passed by a file swapped in before the opening.
    if (file->Size() > maxBytes)
        return FailureOf(FailureCause::TooLarge,
                         "read " + path + ": " + std::to_string(file->Size()) + " bytes");
    std::string content(static_cast<size_t>(file->Size()), '\0');
    if (!file->ReadAt(0, reinterpret_cast<unsigned char*>(content.data()), content.size()))
        return SystemFailure("read " + path, LastSystemCode());
    return content;
}

FileEnds FileForReading::Ends() const {
    FileEnds ends;
    ends.size = size_;
    ends.headRead = ReadAt(0, ends.head, std::min(size_, FileEnds::kHeadBytes));
    ends.tailRead = size_ >= FileEnds::kHeadBytes + FileEnds::kTailBytes &&
                    ReadAt(size_ - FileEnds::kTailBytes, ends.tail, FileEnds::kTailBytes);
    return ends;
}
