#pragma once

#include <cstdint>
#include <map>

// The byte ranges of the archive whose entries were already handled in one
// walk. An entry whose range meets one of them shares its data: the trick of
// archives built to expand far beyond their own size.
class DataRanges {
  public:
    // Adds [start, end) unless it overlaps a range already held; true when added.
    bool AddIfSeparate(uint64_t start, uint64_t end);

  private:
    std::map<uint64_t, uint64_t> ranges_; // start -> end
};
