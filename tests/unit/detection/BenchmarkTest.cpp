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

TEST(Benchmark, ScoreIsTheMedianRelativeToTheReference) {
    const std::vector<double> odd = {0.030, 0.010, 0.020, 0.500, 0.011};
    const std::vector<double> even = {0.010, 0.030, 0.020, 0.012};
    const float medianOdd = ScoreFromRunTimes(odd);   // 0.020 s
    const float medianEven = ScoreFromRunTimes(even); // 0.016 s
    EXPECT_FLOAT_EQ(medianEven / medianOdd, 0.8f);
    // Twice the time, twice the score: a machine 1.8 times slower scores 1.8 times higher.
    EXPECT_FLOAT_EQ(ScoreFromRunTimes(std::vector<double>{0.036}) / ScoreFromRunTimes(std::vector<double>{0.020}),
                    1.8f);
    EXPECT_TRUE(std::isnan(ScoreFromRunTimes({})));
}

TEST(Benchmark, MeasuredScoreIsAPositiveNumber) {
    const float score = MeasureBenchmarkScore();
    EXPECT_TRUE(std::isfinite(score));
    EXPECT_GT(score, 0.0f);
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

TEST(Benchmark, RoundsWhenSomeProcessorsAreKeptFree) {
    using V = std::vector<int>;
    EXPECT_EQ(BenchmarkRounds(0b01, 0b11), (V{0, 0}));
    EXPECT_EQ(BenchmarkRounds(0b0111, 0b1111), (V{0, 1, 2, 0}));
    EXPECT_EQ(BenchmarkRounds(0x7F, 0xFF), (V{0, 1, 3, 5}));
    EXPECT_EQ(BenchmarkRounds(0b1010, 0b1110), (V{1, 3, 1}));
    // Nothing kept free: one round per processor, as before.
    EXPECT_EQ(BenchmarkRounds(0b11, 0b11), (V{0, 1}));
    EXPECT_EQ(BenchmarkRounds(0b1, 0b1), V{0});
    // Nothing known: no rounds, so the score is measured where the thread is.
    EXPECT_TRUE(BenchmarkRounds(0, 0).empty());
    EXPECT_TRUE(BenchmarkRounds(0, 0b11).empty());
}

TEST(Benchmark, FastestProcessorScoreVisitsEachProcessorOnceAndSkipsRefusals) {
    std::vector<int> visited;
    const float score = FastestProcessorScore(std::vector<int>{0, 2, 5}, [&](int processor) {
        visited.push_back(processor);
        return processor != 2;
    });
    EXPECT_EQ(visited, (std::vector<int>{0, 2, 5}));
    EXPECT_TRUE(std::isfinite(score));
    EXPECT_GT(score, 0.0f);

    // Nowhere to move to: measured where the thread is, never a missing score.
    const float here = FastestProcessorScore(std::vector<int>{}, [](int) { return true; });
    EXPECT_TRUE(std::isfinite(here));
    const float refused = FastestProcessorScore(std::vector<int>{1}, [](int) { return false; });
    EXPECT_TRUE(std::isfinite(refused));
}
