#include "operations/CoverageJudge.h"

#include <chrono>
#include <unordered_map>
#include <utility>

namespace {

// A batch goes out when it is this large or this old: the window redraws
// a few times a second, not once per picture.
constexpr size_t kBatchSize = 64;
constexpr auto kBatchAge = std::chrono::milliseconds(100);

} // namespace

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

uint64_t CoverageJudge::Judge(const std::vector<CoverageRow>& rows) {
    std::vector<std::pair<size_t, std::string>> waiting;
    for (size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].screenPath.empty())
            waiting.emplace_back(i, rows[i].screenPath);
    uint64_t generation = 0;
    {
        const std::lock_guard lock(mutex_);
        waiting_ = std::move(waiting);
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
        std::vector<std::pair<size_t, std::string>> job;
        uint64_t generation = 0;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
            if (stopping_)
                return;
            job.swap(waiting_);
            generation = generation_;
        }
        // The default screen stands in many rows: it is read once a listing.
        std::unordered_map<std::string, ScreenPictureVerdict> judged;
        std::vector<JudgedPicture> batch;
        auto sent = std::chrono::steady_clock::now();
        for (const auto& [row, path] : job) {
            if (!IsLatest(generation))
                break;
            auto found = judged.find(path);
            if (found == judged.end())
                found = judged.emplace(path, JudgeScreenPicture(path)).first;
            batch.push_back({row, found->second});
            if (batch.size() >= kBatchSize ||
                std::chrono::steady_clock::now() - sent >= kBatchAge) {
                deliver_(generation, std::exchange(batch, {}));
                sent = std::chrono::steady_clock::now();
            }
        }
        if (!batch.empty() && IsLatest(generation))
            deliver_(generation, std::move(batch));
    }
}
