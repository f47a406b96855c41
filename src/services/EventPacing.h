#pragma once

#include <chrono>
#include <functional>
#include <optional>

// How often a long run lets its window process events: often enough for
// the window to move, repaint and take a click at once, far less often than
// a run of thousands of items would otherwise ask for. Under Wine every
// look at the message queue is a round trip to the server, and one per item
// cost more than the items themselves.
class EventPacing {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{40};

    explicit EventPacing(std::function<Clock::time_point()> now = Clock::now)
        : now_(std::move(now)) {}

    // True at the first call and then once an interval has passed since the
    // last call that answered true.
    bool Due();

  private:
    std::function<Clock::time_point()> now_;
    std::optional<Clock::time_point> last_;
};
