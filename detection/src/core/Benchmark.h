// The processor benchmark: a short, fixed mix of integer, floating-point and branchy work, run in
// short rounds on the processors in turn; the score is the second-fastest run time relative to the
// game's recommended processor, so 1.0 is that class, 1.8 the medium class, and lower is faster.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace detection {

// What slows a run only ever adds time: another program's thread taking the processor, and, on a
// virtual machine, the host slowing one virtual processor as a whole for tens or hundreds of
// milliseconds. Many short runs spread over the processors and over time leave some that went
// through undisturbed, and the fastest of those is what the processor can do. The second-fastest
// counts, so that one mistimed run cannot decide the score.
inline constexpr double kBenchmarkWarmUpSeconds = 0.015;
inline constexpr int kBenchmarkRounds = 6;
inline constexpr int kBenchmarkRunsPerRound = 7;
inline constexpr int kBenchmarkTimedRuns = kBenchmarkRounds * kBenchmarkRunsPerRound;
// Processors taken in turn at most. Processors differ: a hybrid design has fast and slow cores.
// The game's main thread gets a fast one, so the score is the fastest processor's.
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

// The second-fastest of the run times (seconds; the fastest of a single one) divided by the
// reference time; not a number without any.
float ScoreFromRunTimes(std::span<const double> seconds);

// One round on the calling thread: a warm-up of the given length (none: the clock is up and the
// caches are filled already), then kBenchmarkRunsPerRound timed runs; their times (seconds).
std::array<double, kBenchmarkRunsPerRound> MeasureBenchmarkRound(BenchmarkWorkload& workload, double warmUpSeconds);

// Which processors of an affinity mask (bit n = processor n) to measure: at most `most` of them,
// spread evenly over the mask so that both ends of a hybrid design are among them.
std::vector<int> BenchmarkProcessors(uint64_t affinityMask, int most = kBenchmarkProcessors);

// The score of kBenchmarkRounds rounds, the first after the warm-up. Before each, moveTo moves
// the calling thread to the next of the processors in turn; a round whose move failed runs where
// the thread is, as every round does without processors.
template <class MoveTo>
float MeasureBenchmarkScore(const std::vector<int>& processors, MoveTo&& moveTo) {
    BenchmarkWorkload workload;
    std::array<double, kBenchmarkTimedRuns> times{};
    for (int round = 0; round < kBenchmarkRounds; ++round) {
        if (!processors.empty())
            moveTo(processors[static_cast<size_t>(round) % processors.size()]);
        const auto runs = MeasureBenchmarkRound(workload, round == 0 ? kBenchmarkWarmUpSeconds : 0.0);
        std::copy(runs.begin(), runs.end(), times.begin() + round * kBenchmarkRunsPerRound);
    }
    return ScoreFromRunTimes(times);
}

} // namespace detection
