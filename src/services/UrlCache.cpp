#include "services/UrlCache.h"

std::vector<std::string> ListCachedUrls() {
    return {};
}

bool PurgeUrlCache(const std::string& /*urlEnding*/) {
    // Every entry of the cache would be matched here; an empty cache has none.
    return false;
}
