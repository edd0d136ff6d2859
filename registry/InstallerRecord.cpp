#include "InstallerRecord.h"

#include "RegistryKey.h"

#include <iterator>

namespace registry {

namespace {

// Long enough for any folder or program path the installer may record.
constexpr std::uint32_t kValueChars = 1024;

std::wstring ReadText(CRegistryKey& key, const wchar_t* name) {
    wchar_t buffer[kValueChars];
    key.ReadString(name, buffer, sizeof buffer);
    return buffer;
}

InstallerRecord ReadView(RegistryBackend& registry, RegistryRoot view) {
    CRegistryKey key(registry, view, kInstallerKey);
    return {ReadText(key, L"Version"), ReadText(key, L"InstallDir"), ReadText(key, L"Executable")};
}

bool HoldsAny(const InstallerRecord& record) {
    return !record.version.empty() || !record.installDir.empty() || !record.executable.empty();
}

} // namespace

InstallerRecord ReadInstallerRecord(RegistryBackend& registry) {
    InstallerRecord record = ReadView(registry, RegistryRoot::LocalMachine);
    return HoldsAny(record) ? record : ReadView(registry, RegistryRoot::LocalMachine32);
}

} // namespace registry
