// The registry accessor's backend on the real Win32 registry.
#pragma once

#include "RegistryBackend.h"

namespace registry {

class Win32Registry final : public IRegistryBackend {
public:
    long OpenKey(RegistryRoot root, const std::wstring& path, RegistryAccess access, RegistryHandle& handle) override;
    long CreateKey(RegistryRoot root, const std::wstring& path, RegistryHandle& handle) override;
    long QueryValue(RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                    std::uint32_t& size) override;
    long SetValueData(RegistryHandle handle, const wchar_t* name, std::uint32_t type, const void* data,
                      std::uint32_t size) override;
    long DeleteValue(RegistryHandle handle, const wchar_t* name) override;
    void CloseKey(RegistryHandle handle) override;
};

} // namespace registry
