// A library of ours loaded into a program before it runs a single instruction of its own: the
// process is created suspended, the library's path placed in its memory, and a thread started
// in it at LoadLibraryW. Only then does the program's first thread run.
#include "Injection.h"

#include "RemoteMemory.h"

namespace driver {

namespace {

constexpr DWORD kRemoteThreadTimeoutMs = 30000;

// The system's libraries lie at the same address in every process of a session (Wine loads
// them at their preferred base), so kernel32's LoadLibraryW here is LoadLibraryW there.
bool LoadLibraryInto(HANDLE process, const std::wstring& library) {
    const size_t bytes = (library.size() + 1) * sizeof(wchar_t);
    const RemoteMemory path(process, bytes);
    if (!path.Address() || !WriteProcessMemory(process, path.Address(), library.c_str(), bytes, nullptr)) {
        Fail(L"cannot place the library's path in the process (" + ErrorText(static_cast<long>(GetLastError())) + L")");
        return false;
    }
    const void* loadLibrary =
        reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
    DWORD loaded = 0;
    if (!RunRemoteThread(process, loadLibrary, path.Address(), loaded))
        return false;
    // The exit code holds the low half of the module's address: zero only when it did not load.
    if (loaded == 0) {
        Fail(L"the process could not load " + library);
        return false;
    }
    return true;
}

} // namespace

bool RunRemoteThread(HANDLE process, const void* start, void* parameter, DWORD& exitCode) {
    const win32::KernelHandle thread(
        CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(const_cast<void*>(start)),
                           parameter, 0, nullptr));
    if (!thread) {
        Fail(L"cannot start a thread in the process (" + ErrorText(static_cast<long>(GetLastError())) + L")");
        return false;
    }
    if (WaitForSingleObject(thread.Get(), kRemoteThreadTimeoutMs) != WAIT_OBJECT_0) {
        Fail(L"the thread started in the process did not end within " + std::to_wstring(kRemoteThreadTimeoutMs / 1000) +
             L" s");
        return false;
    }
    return GetExitCodeThread(thread.Get(), &exitCode) != 0;
}

bool StartWithLibrary(const Args& command, const std::wstring& library, StartedProcess& started) {
    PROCESS_INFORMATION pi{};
    if (!StartProcess(command, pi, CREATE_SUSPENDED))
        return false;
    started.process.Reset(pi.hProcess);
    started.thread.Reset(pi.hThread);
    started.id = pi.dwProcessId;
    if (LoadLibraryInto(started.process.Get(), library))
        return true;
    TerminateProcess(started.process.Get(), 1);
    return false;
}

} // namespace driver
