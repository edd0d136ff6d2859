// Times RunTests of the real sorvane_rd.dll and the processor benchmark on its own, and shows
// how stable the benchmark score is.
//   detection_bench [runs]   RunTests and the benchmark, each `runs` times (default 10)
//   detection_bench once     one RunTests in this (fresh) process: "<ms> <score>"
#include "Timing.h"
#include "Benchmark.h"
#include "Detection.h"
#include "ProcessorPlan.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using bench::Clock;
using bench::Median;
using bench::Ms;

// One detection run as the program performs it; returns its time and the processor's score.
std::pair<double, float> RunOnce() {
    DetectionApplication* app = nullptr;
    CreateApplication(&app);
    app->Initialize();
    app->Configure();
    const auto start = Clock::now();
    app->RunTests();
    const double ms = Ms(start);
    float score = 0;
    for (Information* item : app->GetInformations())
        if (item->GetTagName() == L"frequency")
            score = static_cast<RequirementCPU*>(item)->GetBenchMarkScore();
    ReleaseApplication(&app);
    return {ms, score};
}

// The hardware class the program derives from the score.
const char* ClassOf(float score) { return score <= 1.0f ? "high" : score <= 1.8f ? "medium" : "low"; }

void Summary(const char* what, const std::vector<double>& v, const char* unit) {
    std::printf("%-28s median %8.2f %s   min %8.2f   max %8.2f   max/min %.3f\n", what, Median(v), unit,
                *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()),
                *std::max_element(v.begin(), v.end()) / *std::min_element(v.begin(), v.end()));
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc > 1 && std::strcmp(argv[1], "once") == 0) {
            const auto [ms, score] = RunOnce();
            std::printf("%.2f %.4f\n", ms, score);
            return 0;
        }
        const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

        std::vector<double> benchmarkMs, benchmarkScores;
        for (int i = 0; i < runs; ++i) {
            const auto start = Clock::now();
            // As the library measures it: on each of its processors in turn (not the one kept for
            // the graphics query), the fastest one counts.
            DWORD_PTR mask = 0, system = 0;
            GetProcessAffinityMask(GetCurrentProcess(), &mask, &system);
            const uint64_t processors = detection::PlanProcessors(mask).benchmark;
            benchmarkScores.push_back(
                detection::FastestProcessorScore(detection::BenchmarkRounds(processors, mask), [](int p) {
                    return SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR{1} << p) != 0;
                }));
            SetThreadAffinityMask(GetCurrentThread(), mask);
            benchmarkMs.push_back(Ms(start));
        }
        std::vector<double> runMs, runScores;
        std::printf("run  RunTests ms  score  class\n");
        for (int i = 0; i < runs; ++i) {
            const auto [ms, score] = RunOnce();
            runMs.push_back(ms);
            runScores.push_back(score);
            std::printf("%3d  %11.2f  %5.3f  %s\n", i + 1, ms, score, ClassOf(score));
        }
        std::printf("\n");
        Summary("benchmark alone", benchmarkMs, "ms");
        Summary("benchmark alone, score", benchmarkScores, "  ");
        Summary("RunTests", runMs, "ms");
        Summary("RunTests, score", runScores, "  ");
        bool sameClass = true;
        for (double s : runScores)
            sameClass = sameClass &&
                        std::strcmp(ClassOf(static_cast<float>(s)), ClassOf(static_cast<float>(runScores[0]))) == 0;
        std::printf("hardware class %s in every run: %s\n", ClassOf(static_cast<float>(runScores[0])),
                    sameClass ? "yes" : "NO");
        return 0;
    } catch (const Detection::DetectionFailedException& e) {
        std::fprintf(stderr, "detection failed: %s\n", e.what());
        return 1;
    }
}
