#include "framework/Context.h"

namespace fw {

namespace {

// A string from its block of sixteen in one language: each is a length, then that many
// characters. Empty when the module has no such block in that language.
std::wstring StringInLanguage(HMODULE module, UINT id, LANGID language) {
    const HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* entry = static_cast<const wchar_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!entry)
        return {};
    const wchar_t* const end = entry + SizeofResource(module, found) / sizeof(wchar_t);
    for (UINT index = 0; index < id % 16 && entry < end; ++index)
        entry += 1 + *entry;
    if (entry >= end || entry + 1 + *entry > end)
        return {};
    return std::wstring(entry + 1, *entry);
}

} // namespace

HICON Resources::IconAt(UINT id, int size) const {
    return static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

Bitmap Resources::Picture(UINT id) const {
    return Bitmap(static_cast<HBITMAP>(LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
}

std::wstring Resources::String(UINT id) const {
    if (language_ != 0) {
        std::wstring text = StringInLanguage(Module(), id, language_);
        if (!text.empty())
            return text;
    }
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW answers a read-only pointer into the resource.
    const int length = LoadStringW(Module(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

} // namespace fw
