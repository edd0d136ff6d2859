#include "Win32Registry.h"

#include "win32/Owners.h"

#include <windows.h>

namespace registry {

namespace {

HKEY RootKey(registry::RegistryRoot root) {
    return root == registry::RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The registry view a root names; the program's own view for the others.
REGSAM ViewOf(registry::RegistryRoot root) {
    return root == registry::RegistryRoot::LocalMachine32 ? KEY_WOW64_32KEY : 0;
}

HKEY ToHkey(registry::RegistryHandle handle) { return reinterpret_cast<HKEY>(handle); }

} // namespace

long Win32Registry::OpenKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryAccess access,
                            registry::RegistryHandle& handle) {
    const REGSAM sam = access == registry::RegistryAccess::Read        ? KEY_READ
                       : access == registry::RegistryAccess::Write     ? KEY_WRITE
                       : access == registry::RegistryAccess::ReadWrite ? KEY_READ | KEY_WRITE
                                                                       : KEY_ALL_ACCESS;
    // The caller's accessor owns the open key from here and closes it through CloseKey.
    win32::RegKey key;
    const LONG error = RegOpenKeyExW(RootKey(root), path.c_str(), 0, sam | ViewOf(root), key.Out());
    handle = reinterpret_cast<registry::RegistryHandle>(key.Release());
    return error;
}

long Win32Registry::CreateKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryHandle& handle) {
    win32::RegKey key;
    const LONG error = RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS | ViewOf(root), nullptr, key.Out(), nullptr);
    handle = reinterpret_cast<registry::RegistryHandle>(key.Release());
    return error;
}

long Win32Registry::QueryValue(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                               std::uint32_t& size) {
    DWORD bytes = size;
    DWORD valueType = 0;
    const LONG error = RegQueryValueExW(ToHkey(handle), name, nullptr, &valueType, static_cast<BYTE*>(data), &bytes);
    size = bytes;
    if (type != nullptr)
        *type = valueType;
    return error;
}

long Win32Registry::SetValueData(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t type,
                                 const void* data, std::uint32_t size) {
    return RegSetValueExW(ToHkey(handle), name, 0, type, static_cast<const BYTE*>(data), size);
}

long Win32Registry::DeleteValue(registry::RegistryHandle handle, const wchar_t* name) {
    return RegDeleteValueW(ToHkey(handle), name);
}

// The accessor hands its key back here: the owner closes it as it goes.
void Win32Registry::CloseKey(registry::RegistryHandle handle) { const win32::RegKey closing(ToHkey(handle)); }

} // namespace registry
