// Accessor for one registry key: every operation opens the key, does one thing and closes it.
#pragma once

#include "RegistryBackend.h"

#include <cstdint>

class CRegistryKey {
public:
    CRegistryKey(registry::RegistryBackend& backend, registry::RegistryRoot root, const wchar_t* subKey)
        : backend_(backend), root_(root), subKey_(subKey) {}

    // The value's first four bytes, whatever its type; value is untouched on failure.
    long ReadDword(const wchar_t* name, std::uint32_t& value);
    // Always leaves a terminated string in buffer; empty on failure.
    long ReadString(const wchar_t* name, wchar_t* buffer, std::uint32_t byteCount);
    // The key must exist: it is opened, not created.
    long WriteDword(const wchar_t* name, std::uint32_t value);
    long DeleteValue(const wchar_t* name);
    long CreateKey();

private:
    // Queries once and, when the value did not fit, opens and queries once more.
    long QueryWithRetry(const wchar_t* name, void* data, std::uint32_t byteCount);

    registry::RegistryBackend& backend_;
    registry::RegistryRoot root_;
    const wchar_t* subKey_;
};
