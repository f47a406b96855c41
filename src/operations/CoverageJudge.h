#pragma once

#include "operations/CoverageList.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Seeks the proposals of a listing's rows, then judges their screens
// (JudgeScreenPicture reads each whole), on a thread of its own, so the
// view opens as soon as its rows are listed and their "Found by" and
// "Picture" cells fill in while the user looks. Findings go out in
// batches; a new listing's job replaces the older one's, and each batch
// carries its listing's generation so the window drops a late batch of an
// older listing.
class CoverageJudge {
  public:
    // Runs on the judge's thread: the shell posts the batch to its window.
    using Delivery = std::function<void(uint64_t generation, CoverageFindings batch)>;

    explicit CoverageJudge(Delivery deliver);
    // Stops between two pictures and waits for the thread.
    ~CoverageJudge();
    CoverageJudge(const CoverageJudge&) = delete;
    CoverageJudge& operator=(const CoverageJudge&) = delete;

    // Starts on the rows of `listing` that wait for a proposal, then on
    // those with a screen path, in their order, in the place of any earlier
    // listing; returns the generation its batches will carry.
    uint64_t Judge(const CoverageListing& listing);
    // Whether `generation` is still the latest listing's; any thread may ask.
    bool IsLatest(uint64_t generation) const;

  private:
    // What one listing leaves to do.
    struct Job {
        std::vector<std::string> screenNames;
        std::vector<std::pair<size_t, std::string>> proposals; // row, layout
        std::vector<std::pair<size_t, std::string>> pictures;  // row, screen path
        bool Empty() const { return proposals.empty() && pictures.empty(); }
    };
    // Gathers findings and sends them in batches while the job is the latest.
    class Batcher;

    void Run();
    void Propose(Job& job, Batcher& batcher) const;
    void JudgePictures(const Job& job, Batcher& batcher) const;

    Delivery deliver_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    Job waiting_;
    uint64_t generation_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};
