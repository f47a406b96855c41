#pragma once

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// The system calls of the POSIX file system seam whose failures no test
// folder can bring about at will (a disk that fails to flush, a folder that
// will not be renamed, a file system that copies nothing in the kernel). The seam makes them
// through this table, so that a test can make them fail and check that the seam copes.
struct PosixFileCalls {
    int (*fsync)(int) = &::fsync;
    int (*renameat2)(int, const char*, int, const char*, unsigned) = &::renameat2;
    int (*rename)(const char*, const char*) = &::rename;
    decltype(&::copy_file_range) copyFileRange = &::copy_file_range;
};

PosixFileCalls& FileCalls();
