// The processor benchmark: a short, fixed mix of integer, floating-point and branchy work, timed
// after a warm-up run; the score is the median run time relative to the game's recommended
// processor, so 1.0 is that class, 1.8 the medium class, and lower is faster.
#pragma once

#include <cstdint>
#include <span>

namespace detection {

inline constexpr int kBenchmarkWarmUpRuns = 1;
inline constexpr int kBenchmarkTimedRuns = 7;

// One run of the workload; returns its checksum, which is the same on every machine and build.
uint64_t RunBenchmarkWorkload();
extern const uint64_t kBenchmarkChecksum;

// Median of the run times (seconds) divided by the reference time.
float ScoreFromRunTimes(std::span<const double> seconds);

// Warm-up, then kBenchmarkTimedRuns timed runs on the calling thread.
float MeasureBenchmarkScore();

} // namespace detection
