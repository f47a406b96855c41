#pragma once

#include "services/Result.h"

#include <string>
#include <vector>

// The addresses of the normal (content) entries in the URL cache of the
// download client: the system's Internet cache on Windows. libcurl keeps no
// cache between transfers, so elsewhere the list is always empty.
std::vector<std::string> ListCachedUrls();

// Removes the cache entry of `url`; fails with the system's code when the
// cache keeps it, with NotFound where there is no cache.
Status DeleteCachedUrl(const std::string& url);

// Deletes the cached entries whose address ends with `urlEnding` (letter
// case ignored); true when at least one deletion was requested. With no
// cache there is nothing to delete: false, and the download always asks
// the server (it also sends "Cache-Control: no-cache" for caches between).
bool PurgeUrlCache(const std::string& urlEnding);
