#include "operations/CoverageJudge.h"

#include <chrono>
#include <unordered_map>
#include <utility>

namespace {

// A batch goes out when it is this large or this old: the window redraws
// a few times a second, not once per row.
constexpr size_t kBatchSize = 64;
constexpr auto kBatchAge = std::chrono::milliseconds(100);

} // namespace

class CoverageJudge::Batcher {
  public:
    Batcher(const CoverageJudge& judge, uint64_t generation)
        : judge_(judge), generation_(generation), sent_(std::chrono::steady_clock::now()) {}

    bool Latest() const { return judge_.IsLatest(generation_); }
    CoverageFindings& Findings() { return batch_; }
    // Sends the batch when it is large or old enough, or at the end of the job.
    void Send(bool last = false) {
        const size_t size = batch_.proposals.size() + batch_.pictures.size();
        if (size == 0 || !Latest())
            return;
        if (last || size >= kBatchSize || std::chrono::steady_clock::now() - sent_ >= kBatchAge) {
            judge_.deliver_(generation_, std::exchange(batch_, {}));
            sent_ = std::chrono::steady_clock::now();
        }
    }

  private:
    const CoverageJudge& judge_;
    uint64_t generation_;
    CoverageFindings batch_;
    std::chrono::steady_clock::time_point sent_;
};

CoverageJudge::CoverageJudge(Delivery deliver)
    : deliver_(std::move(deliver)), thread_([this] { Run(); }) {}

CoverageJudge::~CoverageJudge() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

uint64_t CoverageJudge::Judge(const CoverageListing& listing) {
    Job job;
    for (size_t i = 0; i < listing.rows.size(); ++i) {
        const CoverageRow& row = listing.rows[i];
        if (ProposalPending(row))
            job.proposals.emplace_back(i, row.layout);
        if (!row.screenPath.empty())
            job.pictures.emplace_back(i, row.screenPath);
    }
    if (!job.proposals.empty())
        job.screenNames = listing.screenNames;
    uint64_t generation = 0;
    {
        const std::lock_guard lock(mutex_);
        waiting_ = std::move(job);
        generation = ++generation_;
    }
    wake_.notify_all();
    return generation;
}

bool CoverageJudge::IsLatest(uint64_t generation) const {
    const std::lock_guard lock(mutex_);
    return generation == generation_ && !stopping_;
}

void CoverageJudge::Run() {
    for (;;) {
        Job job;
        uint64_t generation = 0;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !waiting_.Empty(); });
            if (stopping_)
                return;
            job = std::exchange(waiting_, {});
            generation = generation_;
        }
        Batcher batcher(*this, generation);
        Propose(job, batcher);
        JudgePictures(job, batcher);
        batcher.Send(true);
    }
}

// Proposals first: they are quick, and they say which rows need the user.
void CoverageJudge::Propose(Job& job, Batcher& batcher) const {
    if (job.proposals.empty() || !batcher.Latest())
        return;
    const NearScreens near(std::move(job.screenNames));
    for (const auto& [row, layout] : job.proposals) {
        if (!batcher.Latest())
            return;
        batcher.Findings().proposals.push_back({row, near.Propose(layout)});
        batcher.Send();
    }
}

void CoverageJudge::JudgePictures(const Job& job, Batcher& batcher) const {
    // The default screen stands in many rows: it is read once a listing.
    std::unordered_map<std::string, ScreenPictureVerdict> judged;
    for (const auto& [row, path] : job.pictures) {
        if (!batcher.Latest())
            return;
        auto found = judged.find(path);
        if (found == judged.end())
            found = judged.emplace(path, JudgeScreenPicture(path)).first;
        batcher.Findings().pictures.push_back({row, found->second});
        batcher.Send();
    }
}
