#pragma once

#include <functional>

// Keeps the main window's operations from overlapping. The operations let the
// window process events while they run, so a second click or a close request
// can arrive in the middle of one: the click is ignored, the close waits.
class OperationGuard {
  public:
    // Runs `operation` unless one is already running; false when refused.
    bool Run(const std::function<void()>& operation);

    bool Busy() const { return busy_; }

    // Asks for the window to close. False while an operation runs: the request
    // is then kept, and TakeDeferredClose() hands it back once it has ended.
    bool MayCloseNow();

    // True once when a close was asked for during the operation that ended.
    bool TakeDeferredClose();

  private:
    bool busy_ = false;
    bool closeDeferred_ = false;
};
