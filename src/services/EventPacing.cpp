#include "services/EventPacing.h"

bool EventPacing::Due() {
    const Clock::time_point now = now_();
    if (last_ && now - *last_ < kInterval)
        return false;
    last_ = now;
    return true;
}
