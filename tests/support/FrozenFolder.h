#pragma once

#include <string>

// Makes a folder refuse new, removed and renamed entries for the life of the
// object, even for root: the file system's immutable flag where it is
// allowed, else taking away write permission (which only root ignores).
// Tests check Active() and skip when neither works.
class FrozenFolder {
  public:
    explicit FrozenFolder(std::string path);
    ~FrozenFolder();
    FrozenFolder(const FrozenFolder&) = delete;
    FrozenFolder& operator=(const FrozenFolder&) = delete;

    bool Active() const { return method_ != Method::None; }

  private:
    enum class Method { None, Immutable, ReadOnly };
    std::string path_;
    Method method_ = Method::None;
};
