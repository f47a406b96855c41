#include "support/FileSizeLimit.h"

// No limit to set: Active() stays false.
struct FileSizeLimit::Saved {};

FileSizeLimit::FileSizeLimit(uint64_t /*bytes*/) {}

FileSizeLimit::~FileSizeLimit() = default;
