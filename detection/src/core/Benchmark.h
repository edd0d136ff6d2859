// The processor benchmark: a short, fixed mix of integer, floating-point and branchy work, timed
// after a warm-up run; the score is the median run time relative to the game's recommended
// processor, so 1.0 is that class, 1.8 the medium class, and lower is faster.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace detection {

// Short runs, many of them: a run that another program interrupts is an outlier the median
// ignores, as long as most runs go through undisturbed.
inline constexpr double kBenchmarkWarmUpSeconds = 0.015;
inline constexpr int kBenchmarkTimedRuns = 21;

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

// Warm-up for kBenchmarkWarmUpSeconds, then kBenchmarkTimedRuns timed runs on the calling thread.
float MeasureBenchmarkScore();

} // namespace detection
