#include "RegistryKey.h"

#include <cstring>
#include <string>

namespace {

// A key opened through a backend, closed when the owner goes.
class OpenedKey {
public:
    explicit OpenedKey(registry::RegistryBackend& backend) : backend_(backend) {}
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() {
        if (handle_ != 0)
            backend_.CloseKey(handle_);
    }

    long Open(registry::RegistryRoot root, const wchar_t* path, registry::RegistryAccess access) {
        return backend_.OpenKey(root, path, access, handle_);
    }
    long Create(registry::RegistryRoot root, const wchar_t* path) { return backend_.CreateKey(root, path, handle_); }
    registry::RegistryHandle Get() const { return handle_; }

private:
    registry::RegistryBackend& backend_;
    registry::RegistryHandle handle_ = 0;
};

} // namespace

long CRegistryKey::QueryWithRetry(const wchar_t* name, void* data, std::uint32_t byteCount) {
    long error = registry::kRegistryMoreData;
    for (int attempt = 0; attempt < 2 && error == registry::kRegistryMoreData; ++attempt) {
        OpenedKey key(backend_);
        error = key.Open(root_, subKey_, registry::RegistryAccess::Read);
        if (error != registry::kRegistrySuccess)
            return error;
        std::uint32_t size = byteCount;
        error = backend_.QueryValue(key.Get(), name, nullptr, data, size);
    }
    return error;
}

long CRegistryKey::ReadDword(const wchar_t* name, std::uint32_t& value) {
    // A value shorter than four bytes replaces only its own bytes, as a direct query would.
    std::uint32_t buffer = value;
    const long error = QueryWithRetry(name, &buffer, sizeof buffer);
    if (error == registry::kRegistrySuccess)
        value = buffer;
    return error;
}

long CRegistryKey::ReadString(const wchar_t* name, wchar_t* buffer, std::uint32_t byteCount) {
    const std::uint32_t capacity = byteCount / sizeof(wchar_t);
    if (buffer == nullptr || capacity == 0)
        return QueryWithRetry(name, nullptr, 0);
    std::memset(buffer, 0, capacity * sizeof(wchar_t));
    const long error = QueryWithRetry(name, buffer, capacity * sizeof(wchar_t));
    if (error != registry::kRegistrySuccess)
        buffer[0] = L'\0';
    // A stored string need not carry its terminator; never hand out an unterminated buffer.
    buffer[capacity - 1] = L'\0';
    return error;
}

long CRegistryKey::WriteDword(const wchar_t* name, std::uint32_t value) {
    OpenedKey key(backend_);
    const long error = key.Open(root_, subKey_, registry::RegistryAccess::Write);
    return error != registry::kRegistrySuccess
               ? error
               : backend_.SetValueData(key.Get(), name, registry::kRegDword, &value, sizeof value);
}

long CRegistryKey::DeleteValue(const wchar_t* name) {
    OpenedKey key(backend_);
    const long error = key.Open(root_, subKey_, registry::RegistryAccess::All);
    return error != registry::kRegistrySuccess ? error : backend_.DeleteValue(key.Get(), name);
}

long CRegistryKey::CreateKey() {
    OpenedKey key(backend_);
    return key.Create(root_, subKey_);
}
