// One contract for both registry backends: natively the in-memory one; under Wine also the real
// registry in a scratch key, which keeps the in-memory answers honest.
#include "MemoryRegistry.h"
#include "RegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include "Win32Registry.h"
#include "win32/Owners.h"
#include <windows.h>
#endif

namespace {

std::vector<std::uint8_t> Bytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    return {p, p + size};
}

std::vector<std::uint8_t> WideBytes(const std::wstring& text, bool terminated = true) {
    return Bytes(text.c_str(), (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
}

// A backend with an empty scratch key under HKEY_CURRENT_USER, removed afterwards.
class Scratch {
public:
    virtual ~Scratch() = default;
    virtual registry::RegistryBackend& Backend() = 0;
    virtual void PutRaw(const wchar_t* name, std::uint32_t type, const std::vector<std::uint8_t>& data) = 0;
    virtual std::size_t OpenHandles() const { return 0; }
    std::wstring path;
};

class MemoryScratch final : public Scratch {
public:
    MemoryScratch() {
        path = L"Software\\TarnholmRegistryTest\\Scratch";
        registry::RegistryHandle h = 0;
        registry.CreateKey(registry::RegistryRoot::CurrentUser, path, h);
        registry.CloseKey(h);
    }
    registry::RegistryBackend& Backend() override { return registry; }
    void PutRaw(const wchar_t* name, std::uint32_t type, const std::vector<std::uint8_t>& data) override {
        registry.SetValue(registry::RegistryRoot::CurrentUser, path, name, {type, data});
    }
    std::size_t OpenHandles() const override { return registry.OpenHandleCount(); }
    registry::MemoryRegistry registry;
};

#ifdef _WIN32
class Win32Scratch final : public Scratch {
public:
    Win32Scratch() {
        path = L"Software\\TarnholmRegistryTest\\" + std::to_wstring(GetCurrentProcessId());
        win32::RegKey key;
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Out(), nullptr);
    }
    ~Win32Scratch() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TarnholmRegistryTest");
    }
    registry::RegistryBackend& Backend() override { return registry; }
    void PutRaw(const wchar_t* name, std::uint32_t type, const std::vector<std::uint8_t>& data) override {
        RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, type, data.data(), static_cast<DWORD>(data.size()));
    }
    registry::Win32Registry registry;
};
#endif

using ScratchFactory = std::function<std::unique_ptr<Scratch>()>;

class RegistryContract : public testing::TestWithParam<ScratchFactory> {
protected:
    void SetUp() override { scratch = GetParam()(); }
    void TearDown() override { EXPECT_EQ(scratch->OpenHandles(), 0u) << "a handle was left open"; }
    CRegistryKey Key() {
        return CRegistryKey(scratch->Backend(), registry::RegistryRoot::CurrentUser, scratch->path.c_str());
    }

    std::unique_ptr<Scratch> scratch;
};

TEST_P(RegistryContract, DwordWriteReadDelete) {
    CRegistryKey key = Key();
    std::uint32_t value = 7;
    EXPECT_EQ(key.ReadDword(L"Setting", value), registry::kRegistryFileNotFound);
    EXPECT_EQ(value, 7u) << "a failed read must leave the value alone";

    EXPECT_EQ(key.WriteDword(L"Setting", 0xFFFFFFFEu), registry::kRegistrySuccess);
    EXPECT_EQ(key.ReadDword(L"SETTING", value), registry::kRegistrySuccess) << "names are case-insensitive";
    EXPECT_EQ(value, 0xFFFFFFFEu);

    EXPECT_EQ(key.DeleteValue(L"Setting"), registry::kRegistrySuccess);
    EXPECT_EQ(key.DeleteValue(L"Setting"), registry::kRegistryFileNotFound);
    EXPECT_EQ(key.ReadDword(L"Setting", value), registry::kRegistryFileNotFound);
}

TEST_P(RegistryContract, MissingKeyIsOpenedNotCreatedByWrites) {
    const std::wstring child = scratch->path + L"\\Child\\"; // trailing backslash as the store uses
    CRegistryKey key(scratch->Backend(), registry::RegistryRoot::CurrentUser, child.c_str());
    std::uint32_t value = 3;
    wchar_t text[8] = L"junk";
    EXPECT_EQ(key.WriteDword(L"A", 1), registry::kRegistryFileNotFound);
    EXPECT_EQ(key.ReadDword(L"A", value), registry::kRegistryFileNotFound);
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(key.ReadString(L"A", text, sizeof text), registry::kRegistryFileNotFound);
    EXPECT_STREQ(text, L"");
    EXPECT_EQ(key.DeleteValue(L"A"), registry::kRegistryFileNotFound);

    EXPECT_EQ(key.CreateKey(), registry::kRegistrySuccess);
    EXPECT_EQ(key.CreateKey(), registry::kRegistrySuccess) << "an existing key stays as it is";
    EXPECT_EQ(key.WriteDword(L"A", 1), registry::kRegistrySuccess);
    EXPECT_EQ(key.ReadDword(L"A", value), registry::kRegistrySuccess);
    EXPECT_EQ(value, 1u);
}

TEST_P(RegistryContract, DwordReadOfOtherTypesAndSizes) {
    const std::uint64_t qword = 0x1122334455667788ull;
    const std::uint8_t two[2] = {0x34, 0x12};
    scratch->PutRaw(L"Text", registry::kRegSz, WideBytes(L"abcdef"));
    scratch->PutRaw(L"Short", registry::kRegBinary, Bytes(two, 2));
    scratch->PutRaw(L"Long", registry::kRegBinary, std::vector<std::uint8_t>(400, 0x5A));
    scratch->PutRaw(L"Qword", registry::kRegQword, Bytes(&qword, 8));
    scratch->PutRaw(L"Four", registry::kRegBinary, {1, 0, 0, 0});

    CRegistryKey key = Key();
    std::uint32_t value = 0xAAAAAAAAu;
    EXPECT_EQ(key.ReadDword(L"Text", value), registry::kRegistryMoreData);
    EXPECT_EQ(key.ReadDword(L"Long", value), registry::kRegistryMoreData);
    EXPECT_EQ(key.ReadDword(L"Qword", value), registry::kRegistryMoreData);
    EXPECT_EQ(value, 0xAAAAAAAAu) << "values that do not fit leave the value alone";

    EXPECT_EQ(key.ReadDword(L"Short", value), registry::kRegistrySuccess);
    EXPECT_EQ(value, 0xAAAA1234u) << "a two-byte value replaces only its own bytes";
    EXPECT_EQ(key.ReadDword(L"Four", value), registry::kRegistrySuccess);
    EXPECT_EQ(value, 1u) << "any four-byte value reads, whatever its type";
}

TEST_P(RegistryContract, StringReads) {
    scratch->PutRaw(L"Version", registry::kRegSz, WideBytes(L"2.1"));
    scratch->PutRaw(L"Long", registry::kRegSz, WideBytes(std::wstring(300, L'x')));
    scratch->PutRaw(L"Unterminated", registry::kRegSz, WideBytes(L"abcdefgh", false));

    CRegistryKey key = Key();
    wchar_t buffer[130];
    EXPECT_EQ(key.ReadString(L"Version", buffer, sizeof buffer), registry::kRegistrySuccess);
    EXPECT_STREQ(buffer, L"2.1");

    std::wcscpy(buffer, L"stale");
    EXPECT_EQ(key.ReadString(L"Long", buffer, sizeof buffer), registry::kRegistryMoreData);
    EXPECT_STREQ(buffer, L"") << "a failed read leaves an empty string";

    wchar_t small[9];
    std::wmemset(small, L'#', 9);
    EXPECT_EQ(key.ReadString(L"Unterminated", small, sizeof small), registry::kRegistrySuccess);
    EXPECT_EQ(small[8], L'\0') << "the result is always terminated inside the buffer";
    EXPECT_EQ(std::wstring(small), L"abcdefgh");
}

std::vector<ScratchFactory> Backends() {
    std::vector<ScratchFactory> factories{[] { return std::make_unique<MemoryScratch>(); }};
#ifdef _WIN32
    factories.push_back([] { return std::make_unique<Win32Scratch>(); });
#endif
    return factories;
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryContract, testing::ValuesIn(Backends()),
                         [](const testing::TestParamInfo<ScratchFactory>& info) {
                             return info.index == 0 ? std::string("Memory") : std::string("Win32");
                         });

} // namespace
