#pragma once

#include "operations/CoverageList.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Judges the screens of a listing's rows (JudgeScreenPicture reads each
// whole) on a thread of its own, so the view opens as soon as its rows are
// listed and their "Picture" cells fill in while the user looks. Verdicts
// go out in batches; a new listing's judging replaces the older one's, and
// each batch carries its listing's generation so the window drops a late
// batch of an older listing.
class CoverageJudge {
  public:
    // Runs on the judge's thread: the shell posts the batch to its window.
    using Delivery = std::function<void(uint64_t generation, std::vector<JudgedPicture> batch)>;

    explicit CoverageJudge(Delivery deliver);
    // Stops between two pictures and waits for the thread.
    ~CoverageJudge();
    CoverageJudge(const CoverageJudge&) = delete;
    CoverageJudge& operator=(const CoverageJudge&) = delete;

    // Starts judging the screens of `rows` (those with a screen path), in
    // their order, in the place of any earlier listing; returns the
    // generation its batches will carry.
    uint64_t Judge(const std::vector<CoverageRow>& rows);
    // Whether `generation` is still the latest listing's; any thread may ask.
    bool IsLatest(uint64_t generation) const;

  private:
    void Run();

    Delivery deliver_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::pair<size_t, std::string>> waiting_; // row, screen path
    uint64_t generation_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};
