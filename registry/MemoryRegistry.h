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

class MemoryRegistry final : public registry::RegistryBackend {
public:
    struct Value {
        std::uint32_t type = registry::kRegDword;
        std::vector<std::uint8_t> data;
        bool operator==(const Value&) const = default;
    };
    using ValueMap = std::map<std::wstring, Value>; // by lower-case name

    long OpenKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryAccess access,
                 registry::RegistryHandle& handle) override;
    long CreateKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryHandle& handle) override;
    long QueryValue(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                    std::uint32_t& size) override;
    long SetValueData(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t type, const void* data,
                      std::uint32_t size) override;
    long DeleteValue(registry::RegistryHandle handle, const wchar_t* name) override;
    void CloseKey(registry::RegistryHandle handle) override;

    // Direct access for tests and for values of other types than the store writes.
    void SetValue(registry::RegistryRoot root, const std::wstring& path, const std::wstring& name, Value value);
    void SetString(registry::RegistryRoot root, const std::wstring& path, const std::wstring& name,
                   const std::wstring& text);
    std::optional<Value> GetValue(registry::RegistryRoot root, const std::wstring& path,
                                  const std::wstring& name) const;
    std::optional<std::uint32_t> GetDword(registry::RegistryRoot root, const std::wstring& path,
                                          const std::wstring& name) const;
    bool KeyExists(registry::RegistryRoot root, const std::wstring& path) const;
    std::size_t ValueCount(registry::RegistryRoot root, const std::wstring& path) const;
    // Every value of a key (none for a key that does not exist).
    ValueMap Values(registry::RegistryRoot root, const std::wstring& path) const;
    std::size_t OpenHandleCount() const { return handles_.size(); }

    // Failing writes, for tests of what the store does with them. A key whose write access is
    // denied answers opening for writing (or all access, or creating it) with 5, as a key with
    // a read-only security descriptor does.
    void DenyWriteAccess(registry::RegistryRoot root, const std::wstring& path, bool deny = true);
    // Asked before every value is set or deleted, with the key's path (lower case, no backslash
    // at either end) and the value's name; a non-zero answer is returned instead of making the
    // change (a full hive, say).
    std::function<long(const std::wstring& path, const std::wstring& name)> refuseChange;

private:
    using KeyId = std::pair<registry::RegistryRoot, std::wstring>; // normalised path

    static std::wstring Fold(const std::wstring& text);
    static std::wstring Normalise(const std::wstring& path);
    ValueMap* Find(registry::RegistryHandle handle);
    ValueMap& Make(registry::RegistryRoot root, const std::wstring& path);

    bool WriteDenied(registry::RegistryRoot root, const std::wstring& path) const;
    long Refused(registry::RegistryHandle handle, const wchar_t* name);

    std::map<KeyId, ValueMap> keys_;
    std::set<KeyId> writeDenied_;
    std::map<registry::RegistryHandle, KeyId> handles_;
    registry::RegistryHandle nextHandle_ = 0x100;
};

} // namespace registry
