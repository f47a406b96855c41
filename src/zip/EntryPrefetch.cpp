#include "zip/EntryPrefetch.h"

#include "zip/EntryInflate.h"

#include <new>

namespace {

constexpr uint16_t kMethodDeflated = 8;

} // namespace

EntryPrefetch::EntryPrefetch(const ArchiveFile& file, const ZlibBinding& zlib)
    : file_(file), zlib_(zlib), thread_([this] { Run(); }) {}

EntryPrefetch::~EntryPrefetch() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void EntryPrefetch::WaitUntilIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !requested_; });
}

void EntryPrefetch::Request(const CentralFileHeader& central) {
    std::unique_lock<std::mutex> lock(mutex_);
    WaitUntilIdle(lock);
    filling_ = 1 - filling_;
    slots_[filling_].central = central;
    requested_ = true;
    ready_ = false;
    changed_.notify_all();
}

const PreparedEntry* EntryPrefetch::Take(const CentralFileHeader& central) {
    std::unique_lock<std::mutex> lock(mutex_);
    WaitUntilIdle(lock);
    const PreparedEntry& slot = slots_[filling_];
    const bool usable = ready_ && slot.central == central;
    ready_ = false;
    return usable ? &slot : nullptr;
}

void EntryPrefetch::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return requested_ || stopping_; });
        if (stopping_)
            return;
        PreparedEntry& slot = slots_[filling_];
        lock.unlock();
        const bool whole = Prepare(slot);
        lock.lock();
        ready_ = whole;
        requested_ = false;
        changed_.notify_all();
    }
}

// A read or a zlib call that fails leaves the entry to the caller, which
// meets the same failure in its turn; so does memory that cannot be had.
bool EntryPrefetch::Prepare(PreparedEntry& slot) {
    try {
        return PrepareInMemory(slot);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool EntryPrefetch::PrepareInMemory(PreparedEntry& slot) {
    Result<LocalEntry> local = ReadLocalHeader(file_, slot.central, slot.source);
    if (!local)
        return false;
    slot.local = std::move(*local);
    if (!slot.local.present || !slot.local.sizesAgree)
        return true;
    const uint64_t dataEnd = slot.local.dataStart + slot.local.dataLength;
    if (!seen_.AddIfSeparate(slot.central.localHeaderOffset, dataEnd) ||
        !ReadLocalData(file_, slot.local, slot.source))
        return false;
    if (slot.central.method != kMethodDeflated) {
        slot.inflated = false;
        return true;
    }
    const Result<bool> inflated =
        InflateEntry(zlib_, slot.local.data, slot.local.dataLength, slot.central.uncompressedSize,
                     slot.local.crc32, slot.output);
    slot.inflated = inflated && *inflated;
    return inflated.Ok();
}
