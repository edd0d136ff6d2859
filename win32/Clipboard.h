// The clipboard, opened for one change and closed however the change ends.
#pragma once

#include "win32/Owners.h"

#include <cstring>
#include <string>

namespace win32 {

class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession() {
        if (open_)
            CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// Replaces the clipboard's contents with this Unicode text; false when the clipboard refused it.
inline bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    const ClipboardSession clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard())
        return false;
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    void* data = memory ? GlobalLock(memory.Get()) : nullptr;
    if (!data)
        return false;
    std::memcpy(data, text.c_str(), bytes);
    GlobalUnlock(memory.Get());
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get()))
        return false;
    memory.Release(); // the clipboard owns it now
    return true;
}

} // namespace win32
