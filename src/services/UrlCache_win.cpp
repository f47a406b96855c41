#include "services/UrlCache.h"

#include "services/WideText.h"

#include <memory>
#include <windows.h>
#include <wininet.h>

namespace {

struct CacheWalkCloser {
    void operator()(HANDLE walk) const { FindCloseUrlCache(walk); }
};
using CacheWalk = std::unique_ptr<void, CacheWalkCloser>;

// One entry's record, sized as the cache asks; it is variable in length, as
// the texts it points to follow the fixed head.
class EntryBuffer {
  public:
    INTERNET_CACHE_ENTRY_INFOW* Entry() {
        return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(bytes_.get());
    }
    DWORD* Size() { return &size_; }
    // After a call failed for want of room: makes the room it asked for.
    bool Grow() {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size_ == 0)
            return false;
        bytes_ = std::make_unique<unsigned char[]>(size_);
        return true;
    }

  private:
    std::unique_ptr<unsigned char[]> bytes_ =
        std::make_unique<unsigned char[]>(sizeof(INTERNET_CACHE_ENTRY_INFOW));
    DWORD size_ = sizeof(INTERNET_CACHE_ENTRY_INFOW);
};

void AddIfNormal(INTERNET_CACHE_ENTRY_INFOW* entry, std::vector<std::string>& urls) {
    // Cookies, history and the like are not downloads.
    if ((entry->CacheEntryType & NORMAL_CACHE_ENTRY) && entry->lpszSourceUrlName)
        urls.push_back(Utf8FromWide(entry->lpszSourceUrlName));
}

bool FetchNext(HANDLE walk, EntryBuffer& buffer) {
    if (FindNextUrlCacheEntryW(walk, buffer.Entry(), buffer.Size()))
        return true;
    return buffer.Grow() && FindNextUrlCacheEntryW(walk, buffer.Entry(), buffer.Size());
}

} // namespace

std::vector<std::string> ListCachedUrls() {
    std::vector<std::string> urls;
    EntryBuffer buffer;
    CacheWalk walk(FindFirstUrlCacheEntryW(nullptr, buffer.Entry(), buffer.Size()));
    if (!walk && buffer.Grow())
        walk.reset(FindFirstUrlCacheEntryW(nullptr, buffer.Entry(), buffer.Size()));
    if (!walk)
        return urls;
    do
        AddIfNormal(buffer.Entry(), urls);
    while (FetchNext(walk.get(), buffer));
    return urls;
}

Status DeleteCachedUrl(const std::string& url) {
    if (DeleteUrlCacheEntryW(WideFromUtf8(url).c_str()))
        return Success();
    return SystemFailure("delete the cache entry of " + url, static_cast<int32_t>(GetLastError()));
}
