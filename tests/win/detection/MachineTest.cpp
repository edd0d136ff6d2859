// The Win32 probes against a machine whose answers the test chooses: Wine's Direct3D settings
// decide the adapter it reports, and the installer's registry value the game's drive.
#include "WinTestSupport.h"
#include "win32/Owners.h"

using namespace wintest;

namespace {

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::wstring VolumeOf(const std::wstring& path) {
    wchar_t volume[MAX_PATH + 1] = {};
    GetVolumePathNameW(path.c_str(), volume, MAX_PATH + 1);
    return volume;
}

const wchar_t kChildMark[] = L"TARNHOLM_ADAPTER_CHECK";

// Runs this test program again with the given arguments and returns its exit code.
DWORD RunSelf(const std::wstring& arguments) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError();
    win32::KernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

void CheckAdapterAsWineReportsIt() {
    PlaceRequirements();
    UseEnglishTexts();
    App app;
    app.Run(nullptr);
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0x0402u);
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/vendorid"), 0x10DEu);
    EXPECT_EQ(app->GetIntValue(L"directx/vidmemory"), 6144u);

    const auto items = app->GetInformations();
    const Information* adapter = ByTag(items, L"adapter");
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->GetTestResult(), TEST_RESULT_INFO);
    EXPECT_NE(adapter->GetDescriptionString().find(L"0x10DE"), std::wstring::npos);
    EXPECT_NE(adapter->GetDescriptionString().find(L"0x0402"), std::wstring::npos);
    EXPECT_EQ(ByTag(items, L"vidmemory")->GetValueString(), L"6 GB");
    EXPECT_EQ(ByTag(items, L"vidmemory")->GetTestResult(), TEST_RESULT_IDEAL);
    EXPECT_NE(ByTag(items, L"direct3d")->GetTestResult(), TEST_RESULT_UNDETECTED);
}

} // namespace

// Wine reads its Direct3D settings when Direct3D first loads in a process, and the library starts
// loading it as soon as a program that imports the library starts. So the settings are made
// here, and the checks run in a new process of this test program that starts with them.
TEST(Machine, AdapterComesBackAsWineIsToldToReportIt) {
    if (!UnderWine())
        GTEST_SKIP() << "only Wine lets a test choose the adapter";
    if (GetEnvironmentVariableW(kChildMark, nullptr, 0) != 0) {
        CheckAdapterAsWineReportsIt();
        return;
    }
    const wchar_t* key = L"Software\\Wine\\Direct3D";
    const DWORD vendor = 0x10DE, device = 0x0402;
    ScopedRegistryValue v(HKEY_CURRENT_USER, key, L"VideoPciVendorID", REG_DWORD, &vendor, sizeof(vendor));
    ScopedRegistryValue d(HKEY_CURRENT_USER, key, L"VideoPciDeviceID", REG_DWORD, &device, sizeof(device));
    const auto memory = SetString(HKEY_CURRENT_USER, key, L"VideoMemorySize", L"6144"); // MB, above 4 GB

    SetEnvironmentVariableW(kChildMark, L"1");
    const DWORD code = RunSelf(L"--gtest_brief=1 --gtest_filter=Machine.AdapterComesBackAsWineIsToldToReportIt");
    SetEnvironmentVariableW(kChildMark, nullptr);
    EXPECT_EQ(code, 0u) << "the checks in the new process failed (their output is above)";
}

TEST(Machine, FreeSpaceIsMeasuredOnTheGamesDrive) {
    PlaceRequirements();
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    auto diskValue = [] {
        App app;
        app.Run(nullptr);
        return ByTag(app->GetInformations(), L"diskspace")->GetValueString();
    };
    auto endsWith = [](const std::wstring& text, const std::wstring& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    const wchar_t* key = L"SOFTWARE\\Velmora\\Tarnholm";
    {
        const auto installDir = SetString(HKEY_LOCAL_MACHINE, key, L"InstallDir", windows);
        const std::wstring value = diskValue();
        EXPECT_TRUE(endsWith(value, L"(" + VolumeOf(windows) + L")")) << value;
    }
    {
        // Without an install folder the library's own drive counts.
        const auto installDir = SetString(HKEY_LOCAL_MACHINE, key, L"InstallDir", L"");
        const std::wstring value = diskValue();
        EXPECT_TRUE(endsWith(value, L"(" + VolumeOf(DllFolder().wstring()) + L")")) << value;
    }
}
