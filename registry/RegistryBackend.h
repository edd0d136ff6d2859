// The five registry operations the settings store needs, behind one seam: the Win32 backend
// for the program and an in-memory backend for tests that answers as Windows does.
#pragma once

#include <cstdint>
#include <string>

namespace registry {

// LocalMachine32 is HKEY_LOCAL_MACHINE seen through the 32-bit view: where a 32-bit installer's
// values sit on 64-bit Windows. For a 64-bit program the two machine views are separate keys.
enum class RegistryRoot { LocalMachine, CurrentUser, LocalMachine32 };
// ReadWrite: query, set and delete values, and nothing else (no right over the key itself).
enum class RegistryAccess { Read, Write, ReadWrite, All };

// Windows error codes the settings store tells apart.
inline constexpr long kRegistrySuccess = 0;
inline constexpr long kRegistryFileNotFound = 2;
inline constexpr long kRegistryMoreData = 234;

// Registry value types (same numbers as the platform's).
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegQword = 11;

using RegistryHandle = std::uintptr_t;

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    virtual long OpenKey(RegistryRoot root, const std::wstring& path, RegistryAccess access,
                         RegistryHandle& handle) = 0;
    // Creates the key (and missing parents) or opens it when it exists.
    virtual long CreateKey(RegistryRoot root, const std::wstring& path, RegistryHandle& handle) = 0;
    // Reads a value of any type into data; size is the buffer's byte count in, the value's out.
    // A value larger than the buffer answers kRegistryMoreData and leaves data unspecified.
    // type, when given, receives the value's type.
    virtual long QueryValue(RegistryHandle handle, const wchar_t* name, std::uint32_t* type, void* data,
                            std::uint32_t& size) = 0;
    // Sets a value of any type to size bytes of data.
    virtual long SetValueData(RegistryHandle handle, const wchar_t* name, std::uint32_t type, const void* data,
                              std::uint32_t size) = 0;
    virtual long DeleteValue(RegistryHandle handle, const wchar_t* name) = 0;
    virtual void CloseKey(RegistryHandle handle) = 0;
};

} // namespace registry
