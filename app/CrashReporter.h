// What a crash leaves behind: a minidump for support and a word to the player.
#pragma once

#include "texts/TextLookup.h"
#include "win32/Owners.h"

#include <exception>
#include <string>

namespace app {

// While the owner lives, an exception that no frame handles on any thread of the process, a C++
// exception that nothing catches (std::terminate) and abort write a minidump into the player's local
// application data folder, Velmora\Tarnholm\Crashes (the newest kCrashReportsKept are kept),
// then tell the player which file it is (unless silent) and end the process with app::kExitCrashed.
//
// A thread of its own, started with the owner, loads dbghelp and finds the folder ahead and
// then waits. The failing thread only hands it the exception and waits in turn: its own stack
// and whatever else the fault broke are not needed for the report. One owner at a time.
class CrashReporter {
public:
    explicit CrashReporter(bool silent);
    ~CrashReporter();
    CrashReporter(const CrashReporter&) = delete;
    CrashReporter& operator=(const CrashReporter&) = delete;

    // The message's texts, looked up now in the language chosen so far: a crash looks up nothing.
    void Localize(const TextLookup& texts);

private:
    static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers);
    [[noreturn]] static void OnTerminate();
    [[noreturn]] static void OnAbort(int signal);
    static DWORD WINAPI WriterMain(void* self);

    // On the failing thread: hand over, wait for the writer, end the process.
    [[noreturn]] void Report(EXCEPTION_POINTERS* pointers);
    // Whether the dump was done with; false when the writer stopped running before it was.
    bool AwaitDump();
    // On the writer thread: prepare, wait for a failure, report it.
    void Serve();
    // The dump's full path, or empty when none could be written.
    std::wstring WriteDump(HMODULE dbghelp, const std::wstring& localAppData);
    void ShowMessage(const std::wstring& dump);

    const bool silent_;
    win32::KernelHandle request_; // set by the failing thread
    win32::KernelHandle written_; // set by the writer once the dump is done with
    win32::KernelHandle stop_;
    win32::KernelHandle writer_;
    DWORD writerId_ = 0;
    LONG crashing_ = 0;
    EXCEPTION_POINTERS* pointers_ = nullptr;
    DWORD failedThreadId_ = 0;

    SRWLOCK textsLock_ = SRWLOCK_INIT;
    std::wstring savedText_;
    std::wstring notSavedText_;
    std::wstring caption_;

    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_ = nullptr;
    std::terminate_handler previousTerminate_ = nullptr;
    void (*previousAbort_)(int) = nullptr;
};

} // namespace app
