// The registry accessor's backend on the real Win32 registry.
#pragma once

#include "RegistryBackend.h"

namespace registry {

class Win32Registry final : public registry::RegistryBackend {
public:
    long OpenKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryAccess access,
                 registry::RegistryHandle& handle) override;
    long CreateKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryHandle& handle) override;
    long QueryValue(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                    std::uint32_t& size) override;
    long SetValueData(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t type, const void* data,
                      std::uint32_t size) override;
    long DeleteValue(registry::RegistryHandle handle, const wchar_t* name) override;
    void CloseKey(registry::RegistryHandle handle) override;
};

} // namespace registry
