#include "zip/EntryPrefetch.h"

#include "zip/EntryInflate.h"

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

bool EntryPrefetch::Prepare(PreparedEntry& slot) {
    try {
        slot.local = ReadLocalHeader(file_, slot.central, slot.source);
        if (!slot.local.present || !slot.local.sizesAgree)
            return true;
        const uint64_t dataEnd = slot.local.dataStart + slot.local.dataLength;
        if (!seen_.AddIfSeparate(slot.central.localHeaderOffset, dataEnd))
            return false;
        ReadLocalData(file_, slot.local, slot.source);
        slot.inflated = slot.central.method == kMethodDeflated &&
                        InflateEntry(zlib_, slot.local.data, slot.local.dataLength,
                                     slot.central.uncompressedSize, slot.local.crc32, slot.output);
        return true;
    } catch (...) {
        return false;
    }
}
