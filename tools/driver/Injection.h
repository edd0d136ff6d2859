// Code of ours run in another process: a library loaded into a program before it runs, and
// threads started in it.
#pragma once

#include "Driver.h"

#include "win32/Owners.h"

namespace driver {

struct StartedProcess {
    win32::KernelHandle process;
    win32::KernelHandle thread; // its first thread, still suspended
    DWORD id = 0;
};

// Starts the positional arguments (in --cwd when given) suspended and loads `library` into the
// process. The program has not run yet: the caller resumes `thread`. When a step fails it says
// why and the process is ended.
bool StartWithLibrary(const Args& command, const std::wstring& library, StartedProcess& started);

// Runs a thread of the process from `start` with `parameter` and waits for its exit code.
bool RunRemoteThread(HANDLE process, const void* start, void* parameter, DWORD& exitCode);

} // namespace driver
