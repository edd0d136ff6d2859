// What the game's installer leaves under HKEY_LOCAL_MACHINE: the game's version, its folder and
// its program. The one reader of these values for the whole program and the detection library.
#pragma once

#include "RegistryBackend.h"

#include <string>

namespace registry {

inline constexpr wchar_t kInstallerKey[] = L"SOFTWARE\\Velmora\\Tarnholm";

struct InstallerRecord {
    std::wstring version;    // "Version"; empty when not recorded
    std::wstring installDir; // "InstallDir"
    std::wstring executable; // "Executable"
};

// Reads the record from the program's own (64-bit) view of the key; when that view holds none
// of the three values, from the 32-bit view, where a 32-bit installer writes on 64-bit Windows.
// The values of one record always come from one view. Values that cannot be read are empty.
InstallerRecord ReadInstallerRecord(RegistryBackend& registry);

} // namespace registry
