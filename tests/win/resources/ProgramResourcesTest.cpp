// The resources that Launcher.exe gets from launcher_resources, checked in an executable linked
// the same way: the named icon group and a manifest that asks for no elevation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Manifest() {
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
    if (!info)
        return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
    return std::string(data, SizeofResource(nullptr, info));
}

TEST(ProgramResources, IconGroupIsNamedIdiIcon1) {
    EXPECT_NE(FindResourceW(nullptr, L"IDI_ICON1", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */), nullptr);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

TEST(ProgramResources, ManifestRunsAsInvokerPerMonitorDpiAwareOnTheSupportedSystems) {
    const std::string manifest = Manifest();
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
}

} // namespace
