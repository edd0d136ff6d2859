#include "EarlyGraphics.h"

#include "ProcessorPlan.h"
#include "Win32Probe.h"
#include "win32/Owners.h"

#include <windows.h>

#include <atomic>
#include <utility>

namespace detection::win {

namespace {

struct EarlyQuery {
    win32::KernelHandle thread;
    // Written by the thread only; read after it has ended.
    std::optional<GraphicsFacts> facts;
    std::atomic<bool> taken{false};
};

// Never destroyed: the process's end frees it, and a thread that the process's end stopped may
// have been writing to it.
EarlyQuery& Early() {
    static EarlyQuery* const query = new EarlyQuery;
    return *query;
}

DWORD WINAPI RunQuery(void*) {
    try {
        Early().facts = QueryGraphicsFacts();
    } catch (...) {
        // The detection run asks again on its own and judges what it gets.
    }
    return 0;
}

} // namespace

void StartEarlyGraphicsQuery() {
    const ProcessorPlan plan = PlanProcessors(Win32Probe().ProcessorMask());
    if (!plan.graphics)
        return;
    // The thread waits for the loader to finish the program's start before it loads Direct3D.
    win32::KernelHandle thread(CreateThread(nullptr, 0, RunQuery, nullptr, CREATE_SUSPENDED, nullptr));
    if (!thread)
        return;
    SetThreadAffinityMask(thread.Get(), DWORD_PTR{1} << *plan.graphics);
    ResumeThread(thread.Get());
    Early().thread = std::move(thread);
}

std::optional<GraphicsFacts> TakeEarlyGraphics() {
    EarlyQuery& early = Early();
    if (!early.thread || early.taken.exchange(true))
        return std::nullopt;
    WaitForSingleObject(early.thread.Get(), INFINITE);
    return std::move(early.facts);
}

} // namespace detection::win
