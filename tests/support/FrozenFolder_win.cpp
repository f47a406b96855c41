#include "support/FrozenFolder.h"

// Windows has no folder flag that refuses new entries (its read-only
// attribute does not), and Wine does not enforce access lists: the folder
// stays as it is and the tests that need a frozen one skip.
FrozenFolder::FrozenFolder(std::string path) : path_(std::move(path)) {}

FrozenFolder::~FrozenFolder() = default;
