// Move-only owners of the Win32 handles that the program and the detection library hold across
// statements: registry keys, loaded modules, icons, menus, cursors, global memory, shared memory
// views and COM interfaces. Each releases its handle when it goes, on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

// One handle of a kind that Traits knows how to close; Traits::Close is called only on a
// handle that is not Traits::Invalid().
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.handle_, Traits::Invalid()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    // Where a creating call stores a new handle; the one held so far is closed first.
    Handle* Out() {
        Reset();
        return &handle_;
    }
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid())
            Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// Traits of a handle kind whose failure value is null, closed by a Closer{}(handle) call.
template <typename H, typename Closer>
struct NullHandleTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { Closer{}(handle); }
};

struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyCursorHandle {
    void operator()(HCURSOR cursor) const { DestroyCursor(cursor); }
};
struct FreeGlobalMemory {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct UnmapView {
    void operator()(void* view) const { UnmapViewOfFile(view); }
};

using RegistryKeyTraits = NullHandleTraits<HKEY, CloseRegistryKey>;
using ModuleTraits = NullHandleTraits<HMODULE, FreeModule>;
using KernelHandleTraits = NullHandleTraits<HANDLE, CloseKernelHandle>;

// Handles whose failure value is INVALID_HANDLE_VALUE (files, snapshots).
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

// A search of a folder's entries (FindFirstFileW).
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { FindClose(handle); }
};

// An open registry key.
using RegKey = UniqueHandle<RegistryKeyTraits>;
// A module loaded by LoadLibrary, freed when the owner goes.
using Module = UniqueHandle<ModuleTraits>;
// A kernel object (thread, event, mutex, process).
using KernelHandle = UniqueHandle<KernelHandleTraits>;
// A file or a snapshot.
using FileHandle = UniqueHandle<FileHandleTraits>;
// A search of a folder, ended when the owner goes.
using FindHandle = UniqueHandle<FindHandleTraits>;
// A menu made by the program (a popup shown once).
using Menu = UniqueHandle<NullHandleTraits<HMENU, DestroyMenuHandle>>;
// An icon the program loaded at a size of its own (LoadImage without LR_SHARED).
using Icon = UniqueHandle<NullHandleTraits<HICON, DestroyIconHandle>>;
// A cursor the program made (CopyCursor, CreateCursor); never one loaded from resources.
using Cursor = UniqueHandle<NullHandleTraits<HCURSOR, DestroyCursorHandle>>;
// Global memory until something (the clipboard) takes it over: Release() it then.
using GlobalMemory = UniqueHandle<NullHandleTraits<HGLOBAL, FreeGlobalMemory>>;
// A view of a file mapping (shared memory), unmapped when the owner goes.
using MappedView = UniqueHandle<NullHandleTraits<void*, UnmapView>>;

// A system library that the process keeps until it ends, on purpose: loaded from the system
// folder and pinned, so that no later FreeLibrary can unload it (graphics runtimes and the theme
// library do not like being unloaded, and are wanted again and again). There is nothing to free.
class PinnedModule {
public:
    explicit PinnedModule(const wchar_t* systemLibrary) {
        const Module loaded(LoadLibraryExW(systemLibrary, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
        if (loaded && !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, systemLibrary, &module_))
            module_ = nullptr;
    }
    PinnedModule(const PinnedModule&) = delete;
    PinnedModule& operator=(const PinnedModule&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_ = nullptr;
};

// One reference to a COM interface, released when the owner goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    // Where a creating call stores a new reference; the one held so far is released first.
    T** Out() {
        Reset();
        return &p_;
    }
    // For calls that take void** and an interface id.
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset(T* p = nullptr) {
        if (p_ != nullptr)
            p_->Release();
        p_ = p;
    }

private:
    T* p_ = nullptr;
};

// A function exported by a module, as the type it is called by.
template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
    return module == nullptr ? nullptr : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace win32
