// Stand-in for the game executable. It appends how it was started (full command line, working
// directory, its own path) to a record file before anything else, then shows the same in a
// window that closes itself after a few seconds, on any key or click, or on WM_CLOSE.
//
// Record file: %TARNHOLM_FAKEGAME_RECORD% when set, else "started.txt" beside the executable.
// Each start appends one block of UTF-8 lines "commandline=", "directory=", "module=" and an
// empty line. Seconds shown: %TARNHOLM_FAKEGAME_SECONDS% (default 5; 0 keeps it open).
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kClassName[] = L"TarnholmStandInGame";
constexpr UINT_PTR kCloseTimer = 1;

std::wstring g_report;

std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(name, buffer, ARRAYSIZE(buffer));
    return n > 0 && n < ARRAYSIZE(buffer) ? std::wstring(buffer, n) : std::wstring();
}

std::wstring ModulePath() {
    std::wstring path(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n);
    return path;
}

std::wstring CurrentDirectory() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(n, L'\0');
    n = GetCurrentDirectoryW(n, dir.data());
    dir.resize(n);
    return dir;
}

std::string ToUtf8(const std::wstring& text) {
    if (text.empty())
        return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// One WriteFile per record so that concurrent starts never interleave their lines.
bool AppendRecord(const std::wstring& recordPath, const std::wstring& record) {
    HANDLE file = CreateFileW(recordPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes = ToUtf8(record);
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        InflateRect(&rc, -12, -12);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc, g_report.c_str(), -1, &rc, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_TIMER:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN: DestroyWindow(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const std::wstring commandLine = GetCommandLineW();
    const std::wstring directory = CurrentDirectory();
    const std::wstring module = ModulePath();

    std::wstring recordPath = EnvironmentValue(L"TARNHOLM_FAKEGAME_RECORD");
    if (recordPath.empty())
        recordPath = module.substr(0, module.find_last_of(L'\\') + 1) + L"started.txt";
    const bool recorded = AppendRecord(recordPath, L"commandline=" + commandLine + L"\r\ndirectory=" + directory +
                                                       L"\r\nmodule=" + module + L"\r\n\r\n");

    g_report = L"Tarnholm stand-in game\n\nCommand line:\n" + commandLine + L"\n\nWorking directory:\n" + directory +
               L"\n\n" + (recorded ? L"Recorded in " : L"Could not record in ") + recordPath;

    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, kClassName, L"Tarnholm stand-in game", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 300, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return 1;

    int seconds = 5;
    const std::wstring secondsText = EnvironmentValue(L"TARNHOLM_FAKEGAME_SECONDS");
    if (!secondsText.empty())
        seconds = _wtoi(secondsText.c_str());
    if (seconds > 0)
        SetTimer(hwnd, kCloseTimer, static_cast<UINT>(seconds) * 1000u, nullptr);

    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return recorded ? 0 : 1;
}
