#include "services/UrlCache.h"
#include "services/WideText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

namespace {

// Puts `url` in the system's URL cache, as a browser or an earlier download
// through the URL monikers did.
bool Cache(const std::string& url) {
    const std::wstring wide = WideFromUtf8(url);
    wchar_t file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryW(wide.c_str(), 0, L"zip", file, 0))
        return false;
    const HANDLE written = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (written == INVALID_HANDLE_VALUE)
        return false;
    DWORD count = 0;
    WriteFile(written, "PK", 2, &count, nullptr);
    CloseHandle(written);
    const FILETIME never{};
    return CommitUrlCacheEntryW(wide.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0,
                                nullptr, nullptr);
}

bool IsCached(const std::string& url) {
    const std::vector<std::string> urls = ListCachedUrls();
    return std::find(urls.begin(), urls.end(), url) != urls.end();
}

TEST(UrlCacheTest, PurgeDeletesTheArchiveFromAnyServerAndLeavesTheRest) {
    const std::string archive = "http://mirror.example.invalid/orvane/LOADSCR.ZIP";
    const std::string other = "http://mirror.example.invalid/orvane/other.zip";
    ASSERT_TRUE(Cache(archive) && Cache(other));
    ASSERT_TRUE(IsCached(archive));
    EXPECT_TRUE(PurgeUrlCache("loadscr.zip"));
    EXPECT_FALSE(IsCached(archive));
    EXPECT_TRUE(IsCached(other));
    EXPECT_FALSE(PurgeUrlCache("loadscr.zip")) << "nothing left to delete";
    EXPECT_TRUE(DeleteCachedUrl(other));
}

} // namespace
