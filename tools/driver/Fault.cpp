// Making a running program fail as a fault of its own would: a thread of its process started at
// an address where nothing may run.
#include "Driver.h"

#include "win32/Owners.h"

#include <tlhelp32.h>

namespace driver {

namespace {

bool HasModule(DWORD pid, const std::wstring& module) {
    const win32::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    if (!snapshot)
        return false;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    const std::wstring wanted = ToLower(module);
    for (BOOL more = Module32FirstW(snapshot.Get(), &entry); more; more = Module32NextW(snapshot.Get(), &entry))
        if (ToLower(entry.szModule) == wanted)
            return true;
    return false;
}

} // namespace

// The address is reserved in the program and never committed: running there faults at once, and
// nothing else of the program can be placed there in between.
int CmdFault(const Args& args) {
    const std::wstring exe = args.Get(L"--exe"), after = args.Get(L"--after");
    if (exe.empty())
        return kUsage;
    DWORD pid = 0;
    const bool found = PollUntil(args.Seconds(L"--timeout", 30), [&] {
        for (DWORD candidate : ProcessesNamed(exe))
            if (after.empty() || HasModule(candidate, after)) {
                pid = candidate;
                return true;
            }
        return false;
    });
    if (!found) {
        Fail(L"fault: no process " + exe + (after.empty() ? L"" : L" with " + after + L" loaded"));
        return kNotMet;
    }
    const win32::KernelHandle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                                      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                                  FALSE, pid));
    void* const address = process ? VirtualAllocEx(process.Get(), nullptr, 4096, MEM_RESERVE, PAGE_NOACCESS) : nullptr;
    if (address == nullptr) {
        Fail(L"fault: no address reserved in process " + std::to_wstring(pid) + L": " + ErrorText(GetLastError()));
        return kNotMet;
    }
    DWORD threadId = 0;
    const win32::KernelHandle thread(CreateRemoteThread(
        process.Get(), nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(address), nullptr, 0, &threadId));
    if (!thread) {
        Fail(L"fault: no thread started in process " + std::to_wstring(pid) + L": " + ErrorText(GetLastError()));
        return kNotMet;
    }
    Print(L"address=" + Hex(reinterpret_cast<UINT_PTR>(address)) + L" pid=" + std::to_wstring(pid) + L" thread=" +
          std::to_wstring(threadId));
    return kOk;
}

} // namespace driver
