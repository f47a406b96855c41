#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// Slow work a window asks for again and again (the pictures of the row the
// user just selected), done on a thread of its own so the window never
// waits. Only the latest request counts: one handed in while another waits
// takes its place, so the older never runs, and each job gets its request's
// ticket, so the window drops a result that a newer request overtook.
class LatestJobWorker {
  public:
    using Job = std::function<void(uint64_t ticket)>;

    // `threadStart` and `threadEnd` run on the worker thread around its jobs
    // (what a system asks of a thread before some calls, such as COM).
    explicit LatestJobWorker(std::function<void()> threadStart = {},
                             std::function<void()> threadEnd = {});
    // Drops the waiting job and waits for the running one, which the caps on
    // what it may do keep short.
    ~LatestJobWorker();
    LatestJobWorker(const LatestJobWorker&) = delete;
    LatestJobWorker& operator=(const LatestJobWorker&) = delete;

    // Queues `job` in the place of any waiting one; returns its ticket.
    uint64_t Post(Job job);
    // Whether no request came after `ticket`'s; any thread may ask.
    bool IsLatest(uint64_t ticket) const;
    // Makes every ticket stale and drops the waiting job.
    void Forget();

  private:
    void Run();

    std::function<void()> threadStart_;
    std::function<void()> threadEnd_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    Job waiting_;
    uint64_t waitingTicket_ = 0;
    uint64_t latest_ = 0;
    bool stopping_ = false;
    std::thread thread_; // started by the first job
};
