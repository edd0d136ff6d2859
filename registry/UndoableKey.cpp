#include "UndoableKey.h"

#include <cwctype>

namespace registry {

namespace {

bool SameName(const std::wstring& a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i)
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i])))
            return false;
    return i == a.size() && b[i] == L'\0';
}

} // namespace

UndoableKey::~UndoableKey() {
    if (handle_ != 0)
        backend_.CloseKey(handle_);
}

long UndoableKey::Open() {
    if (handle_ != 0)
        return registry::kRegistrySuccess;
    return backend_.OpenKey(root_, path_, registry::RegistryAccess::ReadWrite, handle_);
}

UndoableKey::Prior* UndoableKey::Find(const wchar_t* name) {
    for (Prior& prior : priors_)
        if (SameName(prior.name, name))
            return &prior;
    return nullptr;
}

long UndoableKey::Keep(const wchar_t* name) {
    if (Find(name) != nullptr)
        return registry::kRegistrySuccess;
    Prior prior;
    prior.name = name;
    // Asks for the size first; a value that grows in between is asked for again.
    long error = registry::kRegistryMoreData;
    for (int attempt = 0; attempt < 3 && error == registry::kRegistryMoreData; ++attempt) {
        std::uint32_t size = 0;
        error = backend_.QueryValue(handle_, name, &prior.type, nullptr, size);
        if (error != registry::kRegistrySuccess || size == 0)
            break;
        prior.data.resize(size);
        error = backend_.QueryValue(handle_, name, &prior.type, prior.data.data(), size);
        prior.data.resize(size);
    }
    if (error != registry::kRegistrySuccess && error != registry::kRegistryFileNotFound)
        return error;
    prior.existed = error == registry::kRegistrySuccess;
    if (!prior.existed)
        prior.data.clear();
    priors_.push_back(std::move(prior));
    return registry::kRegistrySuccess;
}

long UndoableKey::WriteDword(const wchar_t* name, std::uint32_t value) {
    if (const long error = Keep(name))
        return error;
    const long error = backend_.SetValueData(handle_, name, registry::kRegDword, &value, sizeof value);
    if (error == registry::kRegistrySuccess)
        Find(name)->changed = true;
    return error;
}

long UndoableKey::Undo() {
    long first = registry::kRegistrySuccess;
    for (auto prior = priors_.rbegin(); prior != priors_.rend(); ++prior) {
        if (!prior->changed)
            continue;
        long error = registry::kRegistrySuccess;
        if (prior->existed)
            error = backend_.SetValueData(handle_, prior->name.c_str(), prior->type, prior->data.data(),
                                          static_cast<std::uint32_t>(prior->data.size()));
        else if (error = backend_.DeleteValue(handle_, prior->name.c_str()); error == registry::kRegistryFileNotFound)
            error = registry::kRegistrySuccess; // gone already
        if (error == registry::kRegistrySuccess)
            prior->changed = false;
        else if (first == registry::kRegistrySuccess)
            first = error;
    }
    return first;
}

} // namespace registry
