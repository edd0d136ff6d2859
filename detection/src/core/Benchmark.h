// The processor benchmark: a short, fixed mix of integer, floating-point and branchy work, timed
// after a warm-up run; the score is the median run time, on the fastest of the processors tried,
// relative to the game's recommended processor, so 1.0 is that class, 1.8 the medium class, and
// lower is faster.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace detection {

// The score of the game's recommended processor class: the class boundary the program's
// settings and the report both care about first.
inline constexpr float kRecommendedClassScore = 1.0f;

// Short runs, many of them: a run that another program interrupts is an outlier the median
// ignores, as long as most runs go through undisturbed.
inline constexpr double kBenchmarkWarmUpSeconds = 0.015;
inline constexpr int kBenchmarkTimedRuns = 21;
// Before the second and later processors the clock is already up; only the caches need filling.
inline constexpr double kBenchmarkRewarmSeconds = 0.001;
// Processors measured at most. Processors differ: a hybrid design has fast and slow cores, and a
// virtual machine's processors are slowed for seconds at a time by whatever shares their host
// core. The game's main thread gets a fast one, so the score is the fastest processor's.
inline constexpr int kBenchmarkProcessors = 4;

// The workload with its memory, allocated once so that the runs time the processor and not the
// system's allocator.
class BenchmarkWorkload {
public:
    BenchmarkWorkload();
    // One run; returns its checksum, which is the same on every machine and build.
    uint64_t Run();

private:
    uint64_t HashKernel();
    uint64_t TransformKernel();
    uint64_t PathKernel();

    std::vector<uint32_t> table_;
    std::vector<std::array<float, 4>> vertices_;
    std::vector<uint8_t> wall_;
    std::vector<int> distance_, queue_;
};
extern const uint64_t kBenchmarkChecksum;

// Median of the run times (seconds) divided by the reference time.
float ScoreFromRunTimes(std::span<const double> seconds);

// A warm-up of the given length, then kBenchmarkTimedRuns timed runs on the calling thread: their
// times (seconds), and the score they give.
std::array<double, kBenchmarkTimedRuns> MeasureBenchmarkRuns(double warmUpSeconds = kBenchmarkWarmUpSeconds);
float MeasureBenchmarkScore(double warmUpSeconds = kBenchmarkWarmUpSeconds);

// Which processors of an affinity mask (bit n = processor n) to measure: at most `most` of them,
// spread evenly over the mask so that both ends of a hybrid design are among them.
std::vector<int> BenchmarkProcessors(uint64_t affinityMask, int most = kBenchmarkProcessors);

// The processors of the benchmark's rounds: one round per processor of the process (up to
// kBenchmarkProcessors), on the allowed ones in turn. Kept off some of them (see
// ProcessorPlan.h), it still runs as many rounds, so a round that another program disturbed is
// outvoted by the fastest; more rounds would take processor time from the graphics query.
std::vector<int> BenchmarkRounds(uint64_t allowedMask, uint64_t processMask);

// The lowest (fastest) score over the processors: the calling thread is moved to each in turn
// by moveTo, which answers false when it could not move there (that processor is skipped).
// Without any processor it could move to, the score is measured where the thread is.
template <class MoveTo>
float FastestProcessorScore(const std::vector<int>& processors, MoveTo&& moveTo) {
    float best = std::numeric_limits<float>::quiet_NaN();
    bool warm = false;
    for (int processor : processors) {
        if (!moveTo(processor))
            continue;
        const float score = MeasureBenchmarkScore(warm ? kBenchmarkRewarmSeconds : kBenchmarkWarmUpSeconds);
        warm = true;
        if (!(score >= best)) // also replaces the initial NaN
            best = score;
    }
    return warm ? best : MeasureBenchmarkScore();
}

} // namespace detection
