// The Win32 probes against a machine whose answers the test chooses: Wine's Direct3D settings
// decide the adapter it reports, and the installer's registry value the game's drive.
#include "GraphicsQueryAhead.h"
#include "WinTestSupport.h"

#include <commctrl.h>

using namespace wintest;

namespace {

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::wstring VolumeOf(const std::wstring& path) {
    wchar_t volume[MAX_PATH + 1] = {};
    GetVolumePathNameW(path.c_str(), volume, MAX_PATH + 1);
    return volume;
}

} // namespace

// Must be the first test in its process (its CTest entry runs it alone): Wine reads its
// Direct3D settings once, when Direct3D first loads, which the library does only when it queries.
TEST(Machine, AdapterComesBackAsWineIsToldToReportIt) {
    if (!UnderWine())
        GTEST_SKIP() << "only Wine lets a test choose the adapter";
    PlaceRequirements();
    UseEnglishTexts();
    const wchar_t* key = L"Software\\Wine\\Direct3D";
    const DWORD vendor = 0x10DE, device = 0x0402;
    ScopedRegistryValue v(HKEY_CURRENT_USER, key, L"VideoPciVendorID", REG_DWORD, &vendor, sizeof(vendor));
    ScopedRegistryValue d(HKEY_CURRENT_USER, key, L"VideoPciDeviceID", REG_DWORD, &device, sizeof(device));
    const auto memory = SetString(HKEY_CURRENT_USER, key, L"VideoMemorySize", L"6144"); // MB, above 4 GB

    // As the program does: its window classes first (under Wine, a process whose first class
    // the query's thread registers now and then leaves that thread waiting for ever), then the
    // query, before the application, which takes its answer.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    StartGraphicsQueryAhead();
    App app;
    EndGraphicsQueryAhead(); // taken over: nothing left to wait for
    app.Run(nullptr);
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/deviceid"), 0x0402u);
    EXPECT_EQ(app->GetIntValue(L"directx/d3dadapter/0/vendorid"), 0x10DEu);
    EXPECT_EQ(app->GetIntValue(L"directx/vidmemory"), 6144u);

    const auto items = app->GetInformations();
    const Information* adapter = ByTag(items, L"adapter");
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->GetTestResult(), kTestResultInfo);
    EXPECT_NE(adapter->GetDescriptionString().find(L"0x10DE"), std::wstring::npos);
    EXPECT_NE(adapter->GetDescriptionString().find(L"0x0402"), std::wstring::npos);
    EXPECT_EQ(ByTag(items, L"vidmemory")->GetValueString(), L"6 GB");
    EXPECT_EQ(ByTag(items, L"vidmemory")->GetTestResult(), kTestResultIdeal);
    EXPECT_NE(ByTag(items, L"direct3d")->GetTestResult(), kTestResultUndetected);
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
