// The installer's record is found in either registry view: natively on the in-memory backend,
// under Wine also in the real registry's two views of HKEY_LOCAL_MACHINE.
#include "InstallerRecord.h"
#include "MemoryRegistry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#ifdef _WIN32
#include "Win32Registry.h"
#include "win32/Owners.h"
#include <windows.h>
#endif

namespace {

struct Values {
    const wchar_t* version;
    const wchar_t* installDir;
    const wchar_t* executable;
};

// A registry whose machine key can be written in one view at a time, emptied afterwards.
class Machine {
public:
    virtual ~Machine() = default;
    virtual registry::RegistryBackend& Backend() = 0;
    // Writes those of the values that are not null, as the installer would, into one view.
    virtual void Record(registry::RegistryRoot view, const Values& values) = 0;
};

class MemoryMachine final : public Machine {
public:
    registry::RegistryBackend& Backend() override { return registry_; }
    void Record(registry::RegistryRoot view, const Values& values) override {
        for (auto [name, text] : {std::pair{L"Version", values.version}, std::pair{L"InstallDir", values.installDir},
                                  std::pair{L"Executable", values.executable}})
            if (text != nullptr)
                registry_.SetString(view, registry::kInstallerKey, name, text);
    }

private:
    registry::MemoryRegistry registry_;
};

#ifdef _WIN32
class Win32Machine final : public Machine {
public:
    Win32Machine() { Clear(); }
    ~Win32Machine() override { Clear(); }
    registry::RegistryBackend& Backend() override { return registry_; }
    void Record(registry::RegistryRoot view, const Values& values) override {
        win32::RegKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, registry::kInstallerKey, 0, nullptr, 0,
                                  KEY_ALL_ACCESS | Sam(view), nullptr, key.Out(), nullptr),
                  ERROR_SUCCESS);
        for (auto [name, text] : {std::pair{L"Version", values.version}, std::pair{L"InstallDir", values.installDir},
                                  std::pair{L"Executable", values.executable}})
            if (text != nullptr)
                RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                               static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }

private:
    static REGSAM Sam(registry::RegistryRoot view) {
        return view == registry::RegistryRoot::LocalMachine32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    }
    static void Clear() {
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, registry::kInstallerKey, view, 0);
    }
    registry::Win32Registry registry_;
};
#endif

using MachineFactory = std::function<std::unique_ptr<Machine>()>;

class InstallerRecordViews : public testing::TestWithParam<MachineFactory> {
protected:
    void SetUp() override { machine = GetParam()(); }
    std::unique_ptr<Machine> machine;
};

TEST_P(InstallerRecordViews, ThirtyTwoBitInstallerIsFoundInItsView) {
    machine->Record(registry::RegistryRoot::LocalMachine32,
                    {L"2.1", L"C:\\Games\\Tarnholm", L"C:\\Games\\Tarnholm\\game.exe"});
    const registry::InstallerRecord record = registry::ReadInstallerRecord(machine->Backend());
    EXPECT_EQ(record.version, L"2.1");
    EXPECT_EQ(record.installDir, L"C:\\Games\\Tarnholm");
    EXPECT_EQ(record.executable, L"C:\\Games\\Tarnholm\\game.exe");
}

TEST_P(InstallerRecordViews, OwnViewWinsAndViewsAreNotMixed) {
    machine->Record(registry::RegistryRoot::LocalMachine32, {L"1.0", L"C:\\Old", L"C:\\Old\\game.exe"});
    machine->Record(registry::RegistryRoot::LocalMachine, {L"3.0", L"D:\\New", nullptr});
    const registry::InstallerRecord record = registry::ReadInstallerRecord(machine->Backend());
    EXPECT_EQ(record.version, L"3.0");
    EXPECT_EQ(record.installDir, L"D:\\New");
    EXPECT_EQ(record.executable, L"") << "an executable of the other installation must not be mixed in";
}

TEST_P(InstallerRecordViews, NoInstallationReadsEmpty) {
    const registry::InstallerRecord record = registry::ReadInstallerRecord(machine->Backend());
    EXPECT_EQ(record.version, L"");
    EXPECT_EQ(record.installDir, L"");
    EXPECT_EQ(record.executable, L"");
}

INSTANTIATE_TEST_SUITE_P(Memory, InstallerRecordViews,
                         testing::Values(MachineFactory([] { return std::make_unique<MemoryMachine>(); })));
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Win32, InstallerRecordViews,
                         testing::Values(MachineFactory([] { return std::make_unique<Win32Machine>(); })));
#endif

} // namespace
