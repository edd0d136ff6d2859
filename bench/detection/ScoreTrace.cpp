// What happens to the processor benchmark around the graphics query: the query runs as the
// library runs it (on a thread bound to the highest processor), and the benchmark's rounds follow
// on the processors in turn for a while, as the library takes them. One line per round:
// milliseconds since the query ended (or, for rounds before it, until it starts), the processor,
// the round's runs as scores (fastest, median, slowest), how long this thread waited for its
// processor, and what else ran meanwhile (Linux's own accounting, read through Wine's Z:); after
// every few rounds the score that those rounds give, as the library computes it.
//   score_trace [ms [before [raw]]]   rounds for `ms` milliseconds after the query (default 600),
//                                     and for `before` milliseconds before it (default none); with
//                                     "raw" also each run's time (ms) in the order run
#include "Timing.h"
#include "Benchmark.h"
#include "ProcessorPlan.h"
#include "Win32Probe.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using bench::Clock;
using bench::Ms;

std::string ReadLinuxFile(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(("Z:" + path).c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

// Nanoseconds a Linux task has run and waited for a processor (its schedstat).
struct TaskTime {
    long long run = 0, wait = 0;
};
TaskTime ReadTaskTime(const std::string& path) {
    TaskTime t;
    std::sscanf(ReadLinuxFile(path).c_str(), "%lld %lld", &t.run, &t.wait);
    return t;
}

// Per processor: busy and stolen clock ticks since boot.
struct CpuTicks {
    long long busy = 0, steal = 0;
};
std::vector<CpuTicks> ReadCpuTicks() {
    std::vector<CpuTicks> cpus;
    const std::string text = ReadLinuxFile("/proc/stat");
    for (size_t at = text.find("\ncpu"); at != std::string::npos; at = text.find("\ncpu", at + 1)) {
        long long v[8] = {};
        int cpu = 0;
        if (std::sscanf(text.c_str() + at + 1, "cpu%d %lld %lld %lld %lld %lld %lld %lld %lld", &cpu, &v[0], &v[1],
                        &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]) == 9)
            cpus.push_back({v[0] + v[1] + v[2] + v[5] + v[6], v[7]});
    }
    return cpus;
}

// Files under /proc are opened by Wine's server, so /proc/self is the server: this process is
// found by its name instead. Its Linux id is also its main thread's.
std::string LinuxPid(const char* name) {
    WIN32_FIND_DATAA found;
    const HANDLE all = FindFirstFileA("Z:\\proc\\*", &found);
    std::string pid;
    if (all == INVALID_HANDLE_VALUE)
        return pid;
    do {
        if (std::isdigit(static_cast<unsigned char>(found.cFileName[0])) &&
            ReadLinuxFile(std::string("/proc/") + found.cFileName + "/comm") == std::string(name) + "\n")
            pid = found.cFileName;
    } while (pid.empty() && FindNextFileA(all, &found));
    FindClose(all);
    return pid;
}

// Every Linux task that might compete: the processes, and each thread of this one, by name.
std::map<std::string, std::string> WatchedTasks(const std::string& selfPid) {
    std::map<std::string, std::string> tasks;
    auto add = [&](const std::string& pattern, const std::string& dir, const std::string& prefix) {
        WIN32_FIND_DATAA found;
        const HANDLE h = FindFirstFileA(pattern.c_str(), &found);
        if (h == INVALID_HANDLE_VALUE)
            return;
        do {
            if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0])))
                continue;
            const std::string path = dir + found.cFileName;
            std::string comm = ReadLinuxFile(path + "/comm");
            comm.erase(comm.find_last_not_of("\n") + 1);
            tasks[prefix + comm + ":" + found.cFileName] = path + "/schedstat";
        } while (FindNextFileA(h, &found));
        FindClose(h);
    };
    add("Z:\\proc\\*", "/proc/", "");
    add("Z:\\proc\\" + selfPid + "\\task\\*", "/proc/" + selfPid + "/task/", "  thread ");
    return tasks;
}

} // namespace

int main(int argc, char** argv) {
    // The window classes first, as in the launcher (see DetectionBench.cpp).
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const double traceMs = argc > 1 ? std::atof(argv[1]) : 600;
    const double beforeMs = argc > 2 ? std::atof(argv[2]) : 0;
    const bool raw = argc > 3 && std::strcmp(argv[3], "raw") == 0;
    DWORD_PTR mask = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &mask, &system);
    const detection::ProcessorPlan plan = detection::PlanProcessors(mask);
    detection::win::Win32Probe probe;

    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string selfPid = LinuxPid(std::strrchr(exe, '\\') + 1);
    const std::string me = "/proc/" + selfPid + "/task/" + selfPid + "/schedstat";
    std::printf("rounds (ms since the query ended, or before it started; processor; runs' scores: fastest, median, "
                "slowest; this thread's wait ms; busy ticks per processor; stolen ticks)\n");
    const std::vector<int> processors = detection::BenchmarkProcessors(mask);
    detection::BenchmarkWorkload workload;
    std::vector<double> lastRounds;
    int round = 0;
    auto measure = [&](double at) {
        const int processor = processors.empty() ? -1 : processors[round % processors.size()];
        if (processor >= 0)
            SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR{1} << processor);
        Sleep(0);
        const std::vector<CpuTicks> cpus0 = ReadCpuTicks();
        const TaskTime self0 = ReadTaskTime(me);
        const auto runs =
            detection::MeasureBenchmarkRound(workload, round == 0 ? detection::kBenchmarkWarmUpSeconds : 0.0);
        const TaskTime self1 = ReadTaskTime(me);
        const std::vector<CpuTicks> cpus1 = ReadCpuTicks();
        auto sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        auto asScore = [](double seconds) { return detection::ScoreFromRunTimes(std::span(&seconds, 1)); };
        std::printf("%7.1f  cpu%d  %.3f %.3f %.3f  wait %5.2f  busy", at, processor, asScore(sorted.front()),
                    asScore(sorted[sorted.size() / 2]), asScore(sorted.back()), (self1.wait - self0.wait) / 1e6);
        for (size_t c = 0; c < cpus1.size() && c < cpus0.size(); ++c)
            std::printf(" %lld", cpus1[c].busy - cpus0[c].busy);
        std::printf("  steal");
        for (size_t c = 0; c < cpus1.size() && c < cpus0.size(); ++c)
            std::printf(" %lld", cpus1[c].steal - cpus0[c].steal);
        if (raw) {
            std::printf("   runs");
            for (double t : runs)
                std::printf(" %.4f", t * 1000);
        }
        std::printf("\n");
        lastRounds.insert(lastRounds.end(), runs.begin(), runs.end());
        if (++round % detection::kBenchmarkRounds == 0) {
            std::printf("  score of these %d rounds %.3f\n", detection::kBenchmarkRounds,
                        detection::ScoreFromRunTimes(lastRounds));
            lastRounds.clear();
        }
    };
    const auto first = Clock::now();
    while (Ms(first) < beforeMs)
        measure(Ms(first) - beforeMs);

    const auto start = Clock::now();
    std::thread query([&] {
        if (plan.graphics)
            probe.BindThreadTo(*plan.graphics);
        probe.QueryGraphics();
    });
    query.join();
    const auto queried = Clock::now();
    std::printf("query %.1f ms\n", Ms(start) - Ms(queried));

    const std::map<std::string, std::string> tasks = WatchedTasks(selfPid);
    std::map<std::string, TaskTime> before;
    for (const auto& [name, path] : tasks)
        before[name] = ReadTaskTime(path);
    round = 0;
    lastRounds.clear();
    while (Ms(queried) < traceMs)
        measure(Ms(queried));
    std::printf("processor time of others during the rounds after the query (ms run, ms waiting):\n");
    for (const auto& [name, path] : tasks) {
        const TaskTime now = ReadTaskTime(path);
        const double run = (now.run - before[name].run) / 1e6, wait = (now.wait - before[name].wait) / 1e6;
        if (run >= 0.5)
            std::printf("  %-40s %7.1f %7.1f\n", name.c_str(), run, wait);
    }
    return 0;
}
