#include "RegistryKey.h"

#include <cstring>
#include <string>

long CRegistryKey::Open(RegistryAccess access) {
    handle_ = 0;
    return backend_.OpenKey(root_, subKey_, access, handle_);
}

void CRegistryKey::Close() {
    if (handle_ != 0)
        backend_.CloseKey(handle_);
    handle_ = 0;
}

long CRegistryKey::QueryWithRetry(const wchar_t* name, void* data, std::uint32_t byteCount) {
    long error = kRegistryMoreData;
    for (int attempt = 0; attempt < 2 && error == kRegistryMoreData; ++attempt) {
        error = Open(RegistryAccess::Read);
        if (error != kRegistrySuccess)
            return error;
        std::uint32_t size = byteCount;
        error = backend_.QueryValue(handle_, name, data, size);
        Close();
    }
    return error;
}

long CRegistryKey::ReadDword(const wchar_t* name, std::uint32_t& value) {
    // A value shorter than four bytes replaces only its own bytes, as a direct query would.
    std::uint32_t buffer = value;
    const long error = QueryWithRetry(name, &buffer, sizeof buffer);
    if (error == kRegistrySuccess)
        value = buffer;
    return error;
}

long CRegistryKey::ReadString(const wchar_t* name, wchar_t* buffer, std::uint32_t byteCount) {
    const std::uint32_t capacity = byteCount / sizeof(wchar_t);
    if (buffer == nullptr || capacity == 0)
        return QueryWithRetry(name, nullptr, 0);
    std::memset(buffer, 0, capacity * sizeof(wchar_t));
    const long error = QueryWithRetry(name, buffer, capacity * sizeof(wchar_t));
    if (error != kRegistrySuccess)
        buffer[0] = L'\0';
    // A stored string need not carry its terminator; never hand out an unterminated buffer.
    buffer[capacity - 1] = L'\0';
    return error;
}

long CRegistryKey::WriteDword(const wchar_t* name, std::uint32_t value) {
    long error = Open(RegistryAccess::Write);
    if (error != kRegistrySuccess)
        return error;
    error = backend_.SetDwordValue(handle_, name, value);
    Close();
    return error;
}

long CRegistryKey::DeleteValue(const wchar_t* name) {
    long error = Open(RegistryAccess::All);
    if (error != kRegistrySuccess)
        return error;
    error = backend_.DeleteValue(handle_, name);
    Close();
    return error;
}

long CRegistryKey::CreateKey() {
    handle_ = 0;
    const long error = backend_.CreateKey(root_, subKey_, handle_);
    if (error == kRegistrySuccess)
        Close();
    return error;
}
