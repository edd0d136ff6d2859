#include "Benchmark.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <vector>

namespace detection {

namespace {

// Run time of one workload on the game's recommended processor class (a dual-core of the
// Core 2 Duo E6600 kind, 2.4 GHz). Derived from the workload's median of 1.05 ms on a Zen 3
// server core (AMD EPYC, 2.45 GHz, under KVM and Wine) and that core's single-thread lead of
// about 2.8 times on this integer, floating-point and branch mix. A machine of the medium class
// (score 1.8) takes 1.8 times as long as the reference.
// On that core the second-fastest of the score's runs lies within 2 % of the median of an
// undisturbed round (1.026 against 1.035 ms), well inside the lead's own uncertainty.
constexpr double kReferenceSeconds = 0.00294;

constexpr int kBenchmarkVertices = 2048;
constexpr int kBenchmarkMaze = 96;

uint64_t Mix(uint64_t x) {
    x ^= x >> 31;
    x *= 0x7FB5D329728EA185ull;
    x ^= x >> 27;
    return x;
}

} // namespace

const uint64_t kBenchmarkChecksum = 0xC00245ED6BCE61E4ull;

// Integer work and scattered memory access over a table of the size of a second-level cache.
uint64_t BenchmarkWorkload::HashKernel() {
    std::vector<uint32_t>& table = table_;
    std::fill(table.begin(), table.end(), 0u);
    uint64_t x = 0x9E3779B97F4A7C15ull;
    uint64_t sum = 0;
    for (int i = 0; i < 150000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        uint32_t& slot = table[(x >> 20) & 0xFFFF];
        slot = slot * 31u + static_cast<uint32_t>(x);
        sum += slot >> 3;
    }
    return sum;
}

// Floating point as in a game's animation code: vertices transformed by a matrix and
// renormalised, pass after pass.
uint64_t BenchmarkWorkload::TransformKernel() {
    constexpr int kVertices = kBenchmarkVertices;
    std::vector<std::array<float, 4>>& v = vertices_;
    for (int i = 0; i < kVertices; ++i)
        v[i] = {static_cast<float>(i % 17) - 8.0f, static_cast<float>(i % 23) * 0.5f - 5.0f,
                static_cast<float>(i % 7) + 1.0f, 1.0f};
    const float c = 0.98006658f, s = 0.19866933f; // a turn of 0.2 radians
    const float m[4][4] = {{c, -s, 0, 0.01f}, {s * c, c * c, -s, 0.02f}, {s * s, s * c, c, 0.03f}, {0, 0, 0, 1}};
    uint64_t sum = 0;
    for (int pass = 0; pass < 15; ++pass) {
        for (auto& p : v) {
            float r[4];
            for (int row = 0; row < 4; ++row)
                r[row] = m[row][0] * p[0] + m[row][1] * p[1] + m[row][2] * p[2] + m[row][3] * p[3];
            const float length = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]) + 1.0f;
            const float scale = 4.0f / length;
            p = {r[0] * scale + p[0] * 0.5f, r[1] * scale + p[1] * 0.5f, r[2] * scale + p[2] * 0.5f, 1.0f};
        }
        sum += static_cast<uint64_t>(static_cast<int64_t>(v[static_cast<size_t>(pass) * 31 % kVertices][0] * 1000.0f));
    }
    for (const auto& p : v)
        sum = sum * 3 + static_cast<uint64_t>(static_cast<int64_t>((p[0] + p[1] + p[2]) * 100.0f));
    return sum;
}

// Branches and irregular access as in path finding: breadth-first searches through a maze.
uint64_t BenchmarkWorkload::PathKernel() {
    constexpr int kSize = kBenchmarkMaze;
    std::vector<uint8_t>& wall = wall_;
    uint64_t seed = 12345;
    for (auto& w : wall) {
        seed = Mix(seed + 0x9E3779B97F4A7C15ull);
        w = (seed % 100) < 28;
    }
    std::vector<int>& distance = distance_;
    std::vector<int>& queue = queue_;
    uint64_t sum = 0;
    for (int search = 0; search < 4; ++search) {
        const int start = (search * 977) % (kSize * kSize);
        std::fill(distance.begin(), distance.end(), -1);
        int head = 0, tail = 0;
        distance[start] = 0;
        queue[tail++] = start;
        while (head < tail) {
            const int cell = queue[head++];
            const int x = cell % kSize, y = cell / kSize;
            const int next[4] = {x > 0 ? cell - 1 : -1, x < kSize - 1 ? cell + 1 : -1, y > 0 ? cell - kSize : -1,
                                 y < kSize - 1 ? cell + kSize : -1};
            for (int n : next) {
                if (n >= 0 && !wall[n] && distance[n] < 0) {
                    distance[n] = distance[cell] + 1;
                    queue[tail++] = n;
                }
            }
        }
        for (int d : distance)
            sum += static_cast<uint64_t>(d + 1);
        sum = Mix(sum + static_cast<uint64_t>(tail));
    }
    return sum;
}

BenchmarkWorkload::BenchmarkWorkload()
    : table_(1u << 16), vertices_(kBenchmarkVertices), wall_(kBenchmarkMaze * kBenchmarkMaze),
      distance_(kBenchmarkMaze * kBenchmarkMaze), queue_(kBenchmarkMaze * kBenchmarkMaze) {}

uint64_t BenchmarkWorkload::Run() { return Mix(HashKernel()) ^ Mix(TransformKernel() + 1) ^ Mix(PathKernel() + 2); }

float ScoreFromRunTimes(std::span<const double> seconds) {
    if (seconds.empty())
        return std::nanf("");
    std::vector<double> sorted(seconds.begin(), seconds.end());
    std::sort(sorted.begin(), sorted.end());
    return static_cast<float>(sorted[std::min<size_t>(1, sorted.size() - 1)] / kReferenceSeconds);
}

std::vector<int> BenchmarkProcessors(uint64_t affinityMask, int most) {
    if (most <= 0)
        return {};
    std::vector<int> all;
    for (int bit = 0; bit < 64; ++bit)
        if (affinityMask >> bit & 1)
            all.push_back(bit);
    if (static_cast<int>(all.size()) <= most)
        return all;
    std::vector<int> chosen;
    for (int i = 0; i < most; ++i)
        chosen.push_back(all[static_cast<size_t>(i) * all.size() / static_cast<size_t>(most)]);
    return chosen;
}

std::array<double, kBenchmarkRunsPerRound> MeasureBenchmarkRound(BenchmarkWorkload& workload, double warmUpSeconds) {
    using Clock = std::chrono::steady_clock;
    // The checksum is kept so the compiler cannot drop the work.
    volatile uint64_t sink = 0;
    const auto warmUpEnd = Clock::now() + std::chrono::duration<double>(warmUpSeconds);
    while (Clock::now() < warmUpEnd)
        sink = sink + workload.Run();
    std::array<double, kBenchmarkRunsPerRound> times{};
    for (double& t : times) {
        const auto start = Clock::now();
        sink = sink + workload.Run();
        t = std::chrono::duration<double>(Clock::now() - start).count();
    }
    return times;
}

} // namespace detection
