#include "Benchmark.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace detection;

// The reference time is calibrated for exactly this workload: a changed workload (or a compiler
// that computes it differently) must show up here before it skews every player's score.
TEST(Benchmark, WorkloadIsTheCalibratedOne) {
    BenchmarkWorkload workload;
    EXPECT_EQ(workload.Run(), kBenchmarkChecksum);
    EXPECT_EQ(workload.Run(), kBenchmarkChecksum); // a second run starts from the same state
}

TEST(Benchmark, ScoreIsTheSecondFastestRunRelativeToTheReference) {
    // Disturbed runs only ever take longer; one run alone too fast to be true does not count.
    const std::vector<double> disturbed = {0.030, 0.010, 0.020, 0.500, 0.011, 0.0001};
    const std::vector<double> quiet = {0.010, 0.012, 0.011, 0.010};
    EXPECT_FLOAT_EQ(ScoreFromRunTimes(disturbed) / ScoreFromRunTimes(quiet), 1.0f);
    // Twice the time, twice the score: a machine 1.8 times slower scores 1.8 times higher.
    EXPECT_FLOAT_EQ(ScoreFromRunTimes(std::vector<double>{0.036}) / ScoreFromRunTimes(std::vector<double>{0.020}),
                    1.8f);
    EXPECT_TRUE(std::isnan(ScoreFromRunTimes({})));
}

TEST(Benchmark, MeasuredScoreTakesTheProcessorsInTurn) {
    const std::vector<int> processors = {0, 2, 5};
    std::vector<int> visited;
    const float score = MeasureBenchmarkScore(processors, [&](int p) { visited.push_back(p); });
    ASSERT_EQ(visited.size(), static_cast<size_t>(kBenchmarkRounds));
    for (size_t i = 0; i < visited.size(); ++i)
        EXPECT_EQ(visited[i], processors[i % processors.size()]);
    EXPECT_TRUE(std::isfinite(score));
    EXPECT_GT(score, 0.0f);
    // Nowhere to move to: every round where the thread is, never a missing score.
    const float here = MeasureBenchmarkScore(std::vector<int>{}, [](int) { FAIL(); });
    EXPECT_TRUE(std::isfinite(here));
    EXPECT_GT(here, 0.0f);
}

TEST(Benchmark, ProcessorsAreSpreadOverTheAffinityMask) {
    using V = std::vector<int>;
    EXPECT_EQ(BenchmarkProcessors(0b1), V{0});
    EXPECT_EQ(BenchmarkProcessors(0b1010), (V{1, 3}));
    EXPECT_EQ(BenchmarkProcessors(0xFF), (V{0, 2, 4, 6}));
    EXPECT_EQ(BenchmarkProcessors(0xFFFF, 4), (V{0, 4, 8, 12}));
    EXPECT_EQ(BenchmarkProcessors(0x8000000000000001ull, 4), (V{0, 63}));
    EXPECT_EQ(BenchmarkProcessors(~0ull, 3), (V{0, 21, 42}));
    EXPECT_TRUE(BenchmarkProcessors(0).empty());
    EXPECT_TRUE(BenchmarkProcessors(0xF, 0).empty());
}
