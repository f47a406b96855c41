#include "services/UrlCache.h"

#include "services/PathText.h"

bool PurgeUrlCache(const std::string& urlEnding) {
    const std::string ending = UpperAscii(urlEnding);
    bool requested = false;
    for (const std::string& url : ListCachedUrls()) {
        // An address shorter than the ending is compared whole.
        const size_t tail = std::min(url.size(), ending.size());
        if (UpperAscii(url.substr(url.size() - tail)) == ending) {
            // An entry the cache keeps (in use, say) only means the server
            // is asked anyway: the download sends "no-cache" too.
            (void)DeleteCachedUrl(url);
            requested = true;
        }
    }
    return requested;
}
