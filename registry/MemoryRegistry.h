// In-memory registry with the platform's answers: names are case-insensitive, a missing key or
// value answers 2, a value larger than the caller's buffer answers 234 with the needed size.
#pragma once

#include "RegistryBackend.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace registry {

class MemoryRegistry final : public IRegistryBackend {
public:
    struct Value {
        std::uint32_t type = kRegDword;
        std::vector<std::uint8_t> data;
        bool operator==(const Value&) const = default;
    };
    using ValueMap = std::map<std::wstring, Value>; // by lower-case name

    long OpenKey(RegistryRoot root, const std::wstring& path, RegistryAccess access, RegistryHandle& handle) override;
    long CreateKey(RegistryRoot root, const std::wstring& path, RegistryHandle& handle) override;
    long QueryValue(RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                    std::uint32_t& size) override;
    long SetValueData(RegistryHandle handle, const wchar_t* name, std::uint32_t type, const void* data,
                      std::uint32_t size) override;
    long DeleteValue(RegistryHandle handle, const wchar_t* name) override;
    void CloseKey(RegistryHandle handle) override;

    // Direct access for tests and for values of other types than the store writes.
    void SetValue(RegistryRoot root, const std::wstring& path, const std::wstring& name, Value value);
    void SetString(RegistryRoot root, const std::wstring& path, const std::wstring& name, const std::wstring& text);
    std::optional<Value> GetValue(RegistryRoot root, const std::wstring& path, const std::wstring& name) const;
    std::optional<std::uint32_t> GetDword(RegistryRoot root, const std::wstring& path, const std::wstring& name) const;
    bool KeyExists(RegistryRoot root, const std::wstring& path) const;
    std::size_t ValueCount(RegistryRoot root, const std::wstring& path) const;
    // Every value of a key (none for a key that does not exist).
    ValueMap Values(RegistryRoot root, const std::wstring& path) const;
    std::size_t OpenHandleCount() const { return handles_.size(); }

    // Failing writes, for tests of what the store does with them. A key whose write access is
    // denied answers opening for writing (or all access, or creating it) with 5, as a key with
    // a read-only security descriptor does.
    void DenyWriteAccess(RegistryRoot root, const std::wstring& path, bool deny = true);
    // Asked before every value is set or deleted, with the key's path (lower case, no backslash
    // at either end) and the value's name; a non-zero answer is returned instead of making the
    // change (a full hive, say).
    std::function<long(const std::wstring& path, const std::wstring& name)> refuseChange;

private:
    using KeyId = std::pair<RegistryRoot, std::wstring>; // normalised path

    static std::wstring Fold(const std::wstring& text);
    static std::wstring Normalise(const std::wstring& path);
    ValueMap* Find(RegistryHandle handle);
    ValueMap& Make(RegistryRoot root, const std::wstring& path);

    bool WriteDenied(RegistryRoot root, const std::wstring& path) const;
    long Refused(RegistryHandle handle, const wchar_t* name);

    std::map<KeyId, ValueMap> keys_;
    std::set<KeyId> writeDenied_;
    std::map<RegistryHandle, KeyId> handles_;
    RegistryHandle nextHandle_ = 0x100;
};

} // namespace registry
