#include "MemoryRegistry.h"

#include <cstring>
#include <cwctype>

namespace registry {

namespace {

constexpr long kAccessDenied = 5;

} // namespace

std::wstring MemoryRegistry::Fold(const std::wstring& text) {
    std::wstring folded = text;
    for (wchar_t& c : folded)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return folded;
}

// "A\\B\\" and "a\\b" name the same key.
std::wstring MemoryRegistry::Normalise(const std::wstring& path) {
    std::wstring result;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        if (end > start) {
            if (!result.empty())
                result += L'\\';
            result += Fold(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return result;
}

MemoryRegistry::ValueMap* MemoryRegistry::Find(registry::RegistryHandle handle) {
    auto h = handles_.find(handle);
    if (h == handles_.end())
        return nullptr;
    auto k = keys_.find(h->second);
    return k == keys_.end() ? nullptr : &k->second;
}

MemoryRegistry::ValueMap& MemoryRegistry::Make(registry::RegistryRoot root, const std::wstring& path) {
    const std::wstring normal = Normalise(path);
    // Parents exist whenever a child does.
    for (std::size_t pos = normal.find(L'\\'); pos != std::wstring::npos; pos = normal.find(L'\\', pos + 1))
        keys_.try_emplace({root, normal.substr(0, pos)});
    return keys_[{root, normal}];
}

long MemoryRegistry::OpenKey(registry::RegistryRoot root, const std::wstring& path, registry::RegistryAccess access,
                             registry::RegistryHandle& handle) {
    KeyId id{root, Normalise(path)};
    if (!id.second.empty() && keys_.find(id) == keys_.end())
        return registry::kRegistryFileNotFound;
    if (access != registry::RegistryAccess::Read && WriteDenied(root, path))
        return kAccessDenied;
    keys_.try_emplace(id);
    handle = nextHandle_++;
    handles_[handle] = id;
    return registry::kRegistrySuccess;
}

long MemoryRegistry::CreateKey(registry::RegistryRoot root, const std::wstring& path,
                               registry::RegistryHandle& handle) {
    if (WriteDenied(root, path))
        return kAccessDenied;
    Make(root, path);
    return OpenKey(root, path, registry::RegistryAccess::All, handle);
}

long MemoryRegistry::QueryValue(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                                std::uint32_t& size) {
    ValueMap* values = Find(handle);
    if (values == nullptr)
        return 6; // invalid handle
    auto v = values->find(Fold(name ? name : L""));
    if (v == values->end())
        return registry::kRegistryFileNotFound;
    if (type != nullptr)
        *type = v->second.type;
    const auto needed = static_cast<std::uint32_t>(v->second.data.size());
    const std::uint32_t capacity = size;
    size = needed;
    if (data == nullptr)
        return registry::kRegistrySuccess;
    if (needed > capacity)
        return registry::kRegistryMoreData;
    if (needed > 0)
        std::memcpy(data, v->second.data.data(), needed);
    return registry::kRegistrySuccess;
}

long MemoryRegistry::Refused(registry::RegistryHandle handle, const wchar_t* name) {
    return refuseChange ? refuseChange(handles_[handle].second, name ? name : L"") : registry::kRegistrySuccess;
}

long MemoryRegistry::SetValueData(registry::RegistryHandle handle, const wchar_t* name, std::uint32_t type,
                                  const void* data, std::uint32_t size) {
    ValueMap* values = Find(handle);
    if (values == nullptr)
        return 6;
    if (const long error = Refused(handle, name))
        return error;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    (*values)[Fold(name ? name : L"")] = Value{type, std::vector<std::uint8_t>(bytes, bytes + (bytes ? size : 0))};
    return registry::kRegistrySuccess;
}

long MemoryRegistry::DeleteValue(registry::RegistryHandle handle, const wchar_t* name) {
    ValueMap* values = Find(handle);
    if (values == nullptr)
        return 6;
    if (const long error = Refused(handle, name))
        return error;
    return values->erase(Fold(name ? name : L"")) ? registry::kRegistrySuccess : registry::kRegistryFileNotFound;
}

void MemoryRegistry::CloseKey(registry::RegistryHandle handle) { handles_.erase(handle); }

void MemoryRegistry::DenyWriteAccess(registry::RegistryRoot root, const std::wstring& path, bool deny) {
    if (deny)
        writeDenied_.insert({root, Normalise(path)});
    else
        writeDenied_.erase({root, Normalise(path)});
}

bool MemoryRegistry::WriteDenied(registry::RegistryRoot root, const std::wstring& path) const {
    return writeDenied_.count({root, Normalise(path)}) != 0;
}

void MemoryRegistry::SetValue(registry::RegistryRoot root, const std::wstring& path, const std::wstring& name,
                              Value value) {
    Make(root, path)[Fold(name)] = std::move(value);
}

void MemoryRegistry::SetString(registry::RegistryRoot root, const std::wstring& path, const std::wstring& name,
                               const std::wstring& text) {
    // Stored with its terminator, in the program's own wide characters, as REG_SZ is.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    Value value{registry::kRegSz, std::vector<std::uint8_t>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
    SetValue(root, path, name, std::move(value));
}

std::optional<MemoryRegistry::Value> MemoryRegistry::GetValue(registry::RegistryRoot root, const std::wstring& path,
                                                              const std::wstring& name) const {
    auto k = keys_.find({root, Normalise(path)});
    if (k == keys_.end())
        return std::nullopt;
    auto v = k->second.find(Fold(name));
    if (v == k->second.end())
        return std::nullopt;
    return v->second;
}

std::optional<std::uint32_t> MemoryRegistry::GetDword(registry::RegistryRoot root, const std::wstring& path,
                                                      const std::wstring& name) const {
    auto value = GetValue(root, path, name);
    if (!value || value->type != registry::kRegDword || value->data.size() != 4)
        return std::nullopt;
    std::uint32_t result = 0;
    std::memcpy(&result, value->data.data(), 4);
    return result;
}

bool MemoryRegistry::KeyExists(registry::RegistryRoot root, const std::wstring& path) const {
    return keys_.count({root, Normalise(path)}) != 0;
}

std::size_t MemoryRegistry::ValueCount(registry::RegistryRoot root, const std::wstring& path) const {
    return Values(root, path).size();
}

MemoryRegistry::ValueMap MemoryRegistry::Values(registry::RegistryRoot root, const std::wstring& path) const {
    auto k = keys_.find({root, Normalise(path)});
    return k == keys_.end() ? ValueMap{} : k->second;
}

} // namespace registry
