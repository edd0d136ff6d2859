// What a window is given by whoever creates it: its texts by key and the library its templates,
// pictures, icons and numbered strings come from. A child window takes its parent's.
#pragma once

#include "framework/Gdi.h"
#include "texts/TextLookup.h"

#include <windows.h>

#include <string>

namespace fw {

// The resource library and the language its numbered strings are taken in.
class Resources {
public:
    Resources() = default;
    // module null: this executable. language 0: the system's choice.
    explicit Resources(HMODULE module, LANGID language = 0) : module_(module), language_(language) {}

    HMODULE Module() const { return module_ ? module_ : GetModuleHandleW(nullptr); }
    LANGID Language() const { return language_; }

    // The icon as the system shares it (never destroyed by its user).
    HICON SharedIcon(UINT id) const { return LoadIconW(Module(), MAKEINTRESOURCEW(id)); }
    // The icon at `size` pixels, the caller's to destroy.
    HICON IconAt(UINT id, int size) const;
    Bitmap Picture(UINT id) const;
    // The string in the resource language when the library has it there, otherwise as the
    // system picks it; empty when there is none.
    std::wstring String(UINT id) const;

private:
    HMODULE module_ = nullptr;
    LANGID language_ = 0;
};

struct WindowContext {
    TextLookup texts;
    Resources resources;
};

// What a window is drawn at, handed from a top-level window down to every control it holds.
struct Appearance {
    int dpi = 96;
    // The player has chosen a contrast theme: the window draws in the system's colours only,
    // without its art.
    bool highContrast = false;
    friend bool operator==(const Appearance&, const Appearance&) = default;
};

} // namespace fw
