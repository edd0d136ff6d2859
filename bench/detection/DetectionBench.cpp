// Times RunTests of the real sorvane_rd.dll and the processor benchmark on its own, and shows
// how stable the benchmark score is.
//   detection_bench [runs]   RunTests and the benchmark, each `runs` times (default 10)
//   detection_bench once     one RunTests in this (fresh) process: "<ms> <score> <ms from the
//                            application's creation, when its graphics query starts>"
//   detection_bench floor    the floor of a detection run in this (fresh) process: only the
//                            graphics query and then the benchmark, by the library's own code as
//                            it runs them: "<ms> <score>"
#include "Timing.h"
#include "Detection.h"
#include "ProcessorPlan.h"
#include "Win32Probe.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using bench::Clock;
using bench::Median;
using bench::Ms;

struct Run {
    double ms = 0;
    float score = 0;
    double fromCreation = 0;
};

// One detection run as the program performs it; returns the time of RunTests (and from the
// application's creation) and the processor's score.
Run RunOnce() {
    DetectionApplication* app = nullptr;
    const auto created = Clock::now();
    CreateApplication(&app);
    app->Initialize();
    app->Configure();
    const auto start = Clock::now();
    app->RunTests();
    Run run{Ms(start), 0, Ms(created)};
    for (Information* item : app->GetInformations())
        if (item->GetTagName() == L"frequency")
            run.score = static_cast<RequirementCPU*>(item)->GetBenchMarkScore();
    ReleaseApplication(&app);
    return run;
}

// The least a detection run does: the graphics query on the processor the library gives it,
// then the benchmark where the library runs it.
Run RunFloor() {
    detection::win::Win32Probe probe;
    const auto start = Clock::now();
    const detection::ProcessorPlan plan = detection::PlanProcessors(probe.ProcessorMask());
    std::thread query([&] {
        if (plan.graphics)
            probe.BindThreadTo(*plan.graphics);
        probe.QueryGraphics();
    });
    query.join();
    const float score = probe.MeasureCpuScore().value_or(0);
    return {Ms(start), score, Ms(start)};
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
    // As in the launcher, the process has its window classes before any detection run. Under
    // Wine, a process whose first class is registered by the graphics query's thread after a
    // while of other work now and then leaves that thread waiting for ever.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        if (argc > 1 && std::strcmp(argv[1], "once") == 0) {
            const Run run = RunOnce();
            std::printf("%.2f %.4f %.2f\n", run.ms, run.score, run.fromCreation);
            return 0;
        }
        if (argc > 1 && std::strcmp(argv[1], "floor") == 0) {
            const Run run = RunFloor();
            std::printf("%.2f %.4f\n", run.ms, run.score);
            return 0;
        }
        const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

        std::vector<double> benchmarkMs, benchmarkScores;
        detection::win::Win32Probe probe;
        for (int i = 0; i < runs; ++i) {
            // As the library measures it once the graphics query is over.
            const auto start = Clock::now();
            benchmarkScores.push_back(probe.MeasureCpuScore().value_or(0));
            benchmarkMs.push_back(Ms(start));
        }
        std::vector<double> runMs, runScores;
        std::printf("run  RunTests ms  score  class\n");
        for (int i = 0; i < runs; ++i) {
            const auto [ms, score, fromCreation] = RunOnce();
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
