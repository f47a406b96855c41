#include "services/UrlCache.h"

// libcurl keeps nothing between transfers: there is no entry to list or
// delete.
std::vector<std::string> ListCachedUrls() {
    return {};
}

Status DeleteCachedUrl(const std::string& url) {
    return FailureOf(FailureCause::NotFound, "no cache holds " + url);
}
