#pragma once

#include <stdexcept>
#include <string>

// Failures the engine does not foresee; they leave the operation as
// exceptions to its caller.

// A read that cannot be satisfied from the archive: the file cannot be
// opened or read, or a record or entry reaches past its end.
class ZipReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An extracted file or its folder that cannot be written.
class ZipWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
