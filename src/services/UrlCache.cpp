#include "services/UrlCache.h"

std::vector<std::string> ListCachedUrls() {
    return {};
}

bool PurgeUrlCache(const std::string& /*urlEnding*/) {
    // libcurl keeps nothing between transfers: no entry can match.
    return false;
}
