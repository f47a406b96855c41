#include "services/LatestJobWorker.h"

LatestJobWorker::LatestJobWorker(std::function<void()> threadStart, std::function<void()> threadEnd)
    : threadStart_(std::move(threadStart)), threadEnd_(std::move(threadEnd)) {}

LatestJobWorker::~LatestJobWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_ = nullptr;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

uint64_t LatestJobWorker::Post(Job job) {
    uint64_t ticket = 0;
    {
        std::lock_guard lock(mutex_);
        ticket = ++latest_;
        waiting_ = std::move(job);
        waitingTicket_ = ticket;
        if (!thread_.joinable())
            thread_ = std::thread(&LatestJobWorker::Run, this);
    }
    wake_.notify_one();
    return ticket;
}

bool LatestJobWorker::IsLatest(uint64_t ticket) const {
    std::lock_guard lock(mutex_);
    return ticket == latest_;
}

void LatestJobWorker::Forget() {
    std::lock_guard lock(mutex_);
    ++latest_;
    waiting_ = nullptr;
}

void LatestJobWorker::Run() {
    if (threadStart_)
        threadStart_();
    for (;;) {
        Job job;
        uint64_t ticket = 0;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_; });
            if (stopping_)
                break;
            job = std::move(waiting_);
            waiting_ = nullptr;
            ticket = waitingTicket_;
        }
        job(ticket);
    }
    if (threadEnd_)
        threadEnd_();
}
