// One key opened for a group of value changes that must all hold or none at all.
#pragma once

#include "RegistryBackend.h"

#include <cstdint>
#include <string>
#include <vector>

namespace registry {

// Before a value is first changed, what it held is kept (its type and bytes, or that it did not
// exist); Undo puts back every value changed since, deleting the ones that were made. The key is
// opened by Open and closed when the object goes, so each group of changes opens it afresh with
// the rights the key grants at that moment.
class UndoableKey {
public:
    UndoableKey(registry::RegistryBackend& backend, registry::RegistryRoot root, const wchar_t* path)
        : backend_(backend), root_(root), path_(path) {}
    ~UndoableKey();
    UndoableKey(const UndoableKey&) = delete;
    UndoableKey& operator=(const UndoableKey&) = delete;

    // Opens the key to read, set and delete values; the opening's error code.
    long Open();
    // Keeps what the value holds now (once per name); 0, or the error that kept it from being read.
    long Keep(const wchar_t* name);
    // Sets a 32-bit value, keeping what it held first.
    long WriteDword(const wchar_t* name, std::uint32_t value);
    // Puts back every value written since it was kept, the latest first; 0 when all went back,
    // else the first error (the others are still tried).
    long Undo();

private:
    struct Prior {
        std::wstring name;
        bool existed = false;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        bool changed = false;
    };
    Prior* Find(const wchar_t* name);

    registry::RegistryBackend& backend_;
    registry::RegistryRoot root_;
    const wchar_t* path_;
    registry::RegistryHandle handle_ = 0;
    std::vector<Prior> priors_;
};

} // namespace registry
