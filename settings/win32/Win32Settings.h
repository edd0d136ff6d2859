// The settings model's platform seams on Win32.
#pragma once

#include "RegistryBackend.h"
#include "SettingsPlatform.h"

class CWin32Registry final : public IRegistryBackend {
public:
    long OpenKey(RegistryRoot root, const std::wstring& path, RegistryAccess access, RegistryHandle& handle) override;
    long CreateKey(RegistryRoot root, const std::wstring& path, RegistryHandle& handle) override;
    long QueryValue(RegistryHandle handle, const wchar_t* name, void* data, std::uint32_t& size) override;
    long SetDwordValue(RegistryHandle handle, const wchar_t* name, std::uint32_t value) override;
    long DeleteValue(RegistryHandle handle, const wchar_t* name) override;
    void CloseKey(RegistryHandle handle) override;
};

class CWin32DisplayModes final : public IDisplayModes {
public:
    bool EnumMode(std::uint32_t index, DisplayMode& mode) override;
    bool GetCurrentMode(DisplayMode& mode) override;
};

class CWin32UserLocale final : public IUserLocale {
public:
    std::uint32_t GetUserDefaultLCID() override;
};
