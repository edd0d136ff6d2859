// The calling thread's COM apartment, for the owner's life.
#pragma once

#include <objbase.h>

namespace win32 {

// A single-threaded apartment on the calling thread, which must be the thread of the windows:
// the shell's execute, the save dialog and the objects handed to screen readers expect one there.
// The initialization is undone when the owner goes, if it was this owner's to undo.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // S_OK, S_FALSE (the thread had one already), or why not (RPC_E_CHANGED_MODE: the thread is
    // in a multithreaded apartment).
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

} // namespace win32
