#include "services/UrlCache.h"

#include <gtest/gtest.h>

namespace {

// libcurl keeps no cache: only on POSIX is there never anything to purge.
TEST(UrlCacheTest, WithoutACacheNothingIsListedOrPurged) {
    EXPECT_TRUE(ListCachedUrls().empty());
    EXPECT_FALSE(PurgeUrlCache("loadscr.zip"));
    EXPECT_FALSE(PurgeUrlCache(""));
}

} // namespace
