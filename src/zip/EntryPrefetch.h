#pragma once

#include "zip/ArchiveFile.h"
#include "zip/ByteBuffer.h"
#include "zip/DataRanges.h"
#include "zip/LocalEntryRead.h"
#include "zip/ZipRecords.h"
#include "zip/ZlibBinding.h"

#include <array>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// One entry read, and inflated and checked when deflated, ahead of its turn.
struct PreparedEntry {
    CentralFileHeader central;
    LocalEntry local;
    bool inflated = false; // deflated data that decompressed to the CRC expected
    ByteBuffer source;
    ByteBuffer output;
};

// A second thread that reads, inflates and checks the next entry while the
// caller writes the current one. It only ever fills memory: every event,
// every check that may refuse an entry and every write stay with the caller,
// in their order. An entry it could not prepare whole (a read that failed,
// data shared with an entry seen before) is left to the caller to do itself,
// which then meets the failure where it always did.
class EntryPrefetch {
  public:
    EntryPrefetch(const ArchiveFile& file, const ZlibBinding& zlib);
    // Waits for the entry under way, whose work is thrown away.
    ~EntryPrefetch();
    EntryPrefetch(const EntryPrefetch&) = delete;
    EntryPrefetch& operator=(const EntryPrefetch&) = delete;

    // Starts preparing the entry of `central`, once the previous one is done.
    void Request(const CentralFileHeader& central);
    // The entry prepared for `central`, waiting for it if need be; nothing
    // when it was not asked for or could not be prepared whole. Valid until
    // the next Request.
    const PreparedEntry* Take(const CentralFileHeader& central);

  private:
    void Run();
    bool Prepare(PreparedEntry& slot);
    bool PrepareInMemory(PreparedEntry& slot);
    void WaitUntilIdle(std::unique_lock<std::mutex>& lock);

    const ArchiveFile& file_;
    const ZlibBinding& zlib_;
    std::array<PreparedEntry, 2> slots_; // one filled while the caller uses the other
    std::size_t filling_ = 0;
    DataRanges seen_; // what the thread read, so shared data is never inflated twice

    std::mutex mutex_;
    std::condition_variable changed_;
    bool requested_ = false; // a job waits for the thread or is under way
    bool ready_ = false;     // the job in the filling slot is done and whole
    bool stopping_ = false;
    std::thread thread_;
};
