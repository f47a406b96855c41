#include "services/UrlCache.h"

// libcurl keeps nothing between transfers: there is no entry to list or
// delete.
std::vector<std::string> ListCachedUrls() {
    return {};
}

bool DeleteCachedUrl(const std::string& /*url*/) {
    return false;
}
