// Memory in another process: where a message's structures or a library's path are placed for
// that process to read, since the system does not carry pointers across processes.
#pragma once

#include <windows.h>

namespace driver {

// Committed read-write memory in the process, freed with this object.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    BYTE* Address() const { return static_cast<BYTE*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

} // namespace driver
