#include "CrashReporter.h"

#include "CrashFiles.h"
#include "RunFlow.h"
#include "win32/Shell.h"

#include <dbghelp.h>

#include <csignal>
#include <cstdlib>
#include <vector>

namespace app {

namespace {

// Our exception code for a program that gave up (std::terminate, abort), as the dump records it.
constexpr DWORD kGaveUpCode = 0xE0000001;
// The C++ runtime raises its exceptions through the system, with this code and the customer bit;
// when no frame takes one, it expects it back, to call std::terminate (reported there) or to
// finish a forced unwinding.
constexpr DWORD kRuntimeCode = 0x20474343;
// A dump can take long (Wine reads every module; a loaded machine runs the writer seldom), but a
// fault may also have left a lock held that the writer waits for: it is given up on once it has
// not run at all for this long.
constexpr ULONGLONG kWriterStuckMs = 15000;

CrashReporter* g_reporter = nullptr;

[[noreturn]] void EndProcess() {
    TerminateProcess(GetCurrentProcess(), app::kExitCrashed);
    std::abort(); // not reached: the process ends above
}

// The profile's folder as the environment names it (every Windows since Vista sets it); the shell
// is asked only where it does not, so that no start pays for loading the shell (some 25 ms).
std::wstring LocalAppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return path;
    return win32::ShellFolder(win32::kFolderLocalAppData);
}

// Processor time the thread has had so far, in 100 ns units; 0 when it cannot be read.
ULONGLONG ThreadWork(HANDLE thread) {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user))
        return 0;
    const auto units = [](const FILETIME& time) { return ULONGLONG{time.dwHighDateTime} << 32 | time.dwLowDateTime; };
    return units(kernel) + units(user);
}

bool MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE || GetLastError() == ERROR_ALREADY_EXISTS;
}

void RemoveOldReports(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const win32::FindHandle search(FindFirstFileW((folder + L"\\*.dmp").c_str(), &entry));
    for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.Get(), &entry) != FALSE)
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.emplace_back(entry.cFileName);
    for (const std::wstring& name : CrashReportsToRemove(std::move(names), kCrashReportsKept))
        DeleteFileW((folder + L"\\" + name).c_str());
}

} // namespace

CrashReporter::CrashReporter(bool silent)
    : silent_(silent), request_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      written_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (request_ && written_ && stop_)
        writer_.Reset(CreateThread(nullptr, 0, WriterMain, this, 0, &writerId_));
    g_reporter = this;
    previousFilter_ = SetUnhandledExceptionFilter(OnUnhandledException);
    previousTerminate_ = std::set_terminate(OnTerminate);
    // The detection library has a C++ runtime of its own, whose terminate ends in abort: the C
    // runtime, and so abort's signal, is one for the whole process.
    previousAbort_ = std::signal(SIGABRT, OnAbort);
}

CrashReporter::~CrashReporter() {
    std::signal(SIGABRT, previousAbort_);
    std::set_terminate(previousTerminate_);
    SetUnhandledExceptionFilter(previousFilter_);
    g_reporter = nullptr;
    if (writer_) {
        SetEvent(stop_.Get());
        WaitForSingleObject(writer_.Get(), INFINITE);
    }
}

void CrashReporter::Localize(const TextLookup& texts) {
    std::wstring saved = texts(L"IDS_CRASH_REPORT");
    std::wstring notSaved = texts(L"IDS_CRASH_NO_REPORT");
    std::wstring caption = texts(L"IDS_ERROR");
    // Swapped under the lock, so that nothing is allocated or freed while it is held.
    AcquireSRWLockExclusive(&textsLock_);
    savedText_.swap(saved);
    notSavedText_.swap(notSaved);
    caption_.swap(caption);
    ReleaseSRWLockExclusive(&textsLock_);
}

LONG WINAPI CrashReporter::OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if ((record.ExceptionCode & 0x20FFFFFF) == kRuntimeCode && (record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) == 0)
        return EXCEPTION_CONTINUE_EXECUTION;
    if (g_reporter == nullptr)
        return EXCEPTION_CONTINUE_SEARCH;
    g_reporter->Report(pointers);
}

void CrashReporter::OnAbort(int) { OnTerminate(); }

void CrashReporter::OnTerminate() {
    // The stack is still that of the call that gave up: record it as an exception of our own.
    CONTEXT context{};
    RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = kGaveUpCode;
    record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
    EXCEPTION_POINTERS pointers{&record, &context};
    if (g_reporter != nullptr)
        g_reporter->Report(&pointers);
    std::abort();
}

void CrashReporter::Report(EXCEPTION_POINTERS* pointers) {
    // The writer failing in turn: there is nothing left to write the report with.
    if (GetCurrentThreadId() == writerId_)
        EndProcess();
    // A second failure while the first is reported waits for the process to end with that one.
    if (InterlockedExchange(&crashing_, 1) != 0)
        for (;;)
            Sleep(INFINITE);
    pointers_ = pointers;
    failedThreadId_ = GetCurrentThreadId();
    SetEvent(request_.Get());
    // The writer ends the process once the player has read the message.
    if (writer_ && AwaitDump())
        WaitForSingleObject(writer_.Get(), INFINITE);
    EndProcess();
}

bool CrashReporter::AwaitDump() {
    ULONGLONG work = ThreadWork(writer_.Get()), lastRun = GetTickCount64();
    while (WaitForSingleObject(written_.Get(), 1000) == WAIT_TIMEOUT) {
        if (const ULONGLONG now = ThreadWork(writer_.Get()); now != work) {
            work = now;
            lastRun = GetTickCount64();
        } else if (GetTickCount64() - lastRun > kWriterStuckMs) {
            return false;
        }
    }
    return true;
}

DWORD WINAPI CrashReporter::WriterMain(void* self) {
    static_cast<CrashReporter*>(self)->Serve();
    return 0;
}

void CrashReporter::Serve() {
    // All that a report needs and can be had before a failure.
    const win32::Module dbghelp(LoadLibraryExW(L"dbghelp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const std::wstring localAppData = LocalAppDataFolder();

    const HANDLE events[] = {request_.Get(), stop_.Get()};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0)
        return;
    const std::wstring dump = WriteDump(dbghelp.Get(), localAppData);
    SetEvent(written_.Get());
    if (!silent_)
        ShowMessage(dump);
    EndProcess();
}

std::wstring CrashReporter::WriteDump(HMODULE dbghelp, const std::wstring& localAppData) {
    const auto write = win32::ProcAddress<decltype(&MiniDumpWriteDump)>(dbghelp, "MiniDumpWriteDump");
    if (write == nullptr || localAppData.empty())
        return {};
    std::wstring folder = localAppData;
    for (const wchar_t* part : {L"\\Velmora", L"\\Tarnholm", L"\\Crashes"}) {
        folder += part;
        if (!MakeFolder(folder))
            return {};
    }

    SYSTEMTIME now{};
    GetSystemTime(&now);
    const std::wstring path =
        folder + L"\\" +
        CrashReportName({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}, GetCurrentProcessId());
    win32::FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    MINIDUMP_EXCEPTION_INFORMATION exception{failedThreadId_, pointers_, FALSE};
    const bool written =
        write(GetCurrentProcess(), GetCurrentProcessId(), file.Get(), MiniDumpNormal, &exception, nullptr, nullptr);
    file.Reset();
    if (!written) {
        DeleteFileW(path.c_str());
        return {};
    }
    RemoveOldReports(folder);
    return path;
}

void CrashReporter::ShowMessage(const std::wstring& dump) {
    std::wstring text, caption;
    // The failing thread may have held the lock: then the message goes unsaid.
    if (!TryAcquireSRWLockShared(&textsLock_))
        return;
    text = dump.empty() ? notSavedText_ : savedText_ + L"\r\n" + dump;
    caption = caption_;
    ReleaseSRWLockShared(&textsLock_);
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

} // namespace app
