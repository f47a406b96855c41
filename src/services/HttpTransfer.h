#pragma once

#include "services/DownloadFile.h"

#include <cstdio>

// Sends one GET for `url` and writes the body of the final answer into
// `sink`. Returns 0, a DownloadFile failure code, the negated libcurl code
// or the failing HTTP status.
int32_t TransferInto(std::FILE* sink, const std::string& url, const DownloadOptions& options);
