#pragma once

#include <string>
#include <vector>

// The addresses in the URL cache of the download client. libcurl keeps no
// cache between transfers, so the list is always empty.
std::vector<std::string> ListCachedUrls();

// Deletes the cached entries whose address ends with `urlEnding` (letter
// case ignored); true when at least one deletion was requested. With no
// cache there is nothing to delete: false, and the download always asks
// the server (it also sends "Cache-Control: no-cache" for caches between).
bool PurgeUrlCache(const std::string& urlEnding);
