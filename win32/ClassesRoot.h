// What the system has registered for a kind of file or a protocol: default values of keys under
// HKEY_CLASSES_ROOT.
#pragma once

#include "win32/Owners.h"

#include <windows.h>

#include <string>

namespace win32 {

// The default value of a key under HKEY_CLASSES_ROOT (at most 260 bytes); 0 or the error.
inline long ReadClassesRootDefault(const std::wstring& key, std::wstring& value) {
    RegKey handle;
    const LONG opened = RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, handle.Out());
    if (opened != ERROR_SUCCESS)
        return opened;
    wchar_t buffer[131] = {}; // 260 bytes and a terminator of our own
    DWORD bytes = 260;
    DWORD type = 0;
    const LONG read = RegQueryValueExW(handle.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    if (read != ERROR_SUCCESS)
        return read;
    value.assign(buffer, bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0')
        value.pop_back();
    return 0;
}

} // namespace win32
