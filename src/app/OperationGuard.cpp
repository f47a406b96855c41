#include "app/OperationGuard.h"

namespace {

// Clears the busy flag however the operation ends, exceptions included.
class BusyScope {
  public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    bool& busy_;
};

} // namespace

bool OperationGuard::Run(const std::function<void()>& operation) {
    if (busy_)
        return false;
    BusyScope scope(busy_);
    if (operation)
        operation();
    return true;
}

bool OperationGuard::MayCloseNow() {
    if (!busy_)
        return true;
    closeDeferred_ = true;
    return false;
}

bool OperationGuard::TakeDeferredClose() {
    if (busy_ || !closeDeferred_)
        return false;
    closeDeferred_ = false;
    return true;
}
