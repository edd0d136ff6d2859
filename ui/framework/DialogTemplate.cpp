#include "framework/DialogTemplate.h"

#include <cstdint>
#include <cstring>

namespace fw {

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    template <typename T>
    T Read() {
        T v{};
        if (pos_ + sizeof(T) > size_) {
            ok_ = false;
            return v;
        }
        std::memcpy(&v, data_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return v;
    }

    // A string or, after 0xFFFF, a number.
    std::wstring StringOrOrdinal(int* ordinal) {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            *ordinal = Read<WORD>();
            return {};
        }
        std::wstring s;
        for (WORD c = first; c && ok_; c = Read<WORD>())
            s += static_cast<wchar_t>(c);
        return s;
    }

    void AlignDword() { pos_ = (pos_ + 3) & ~size_t(3); }
    void Skip(size_t n) { pos_ += n; }
    bool Ok() const { return ok_ && pos_ <= size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

std::wstring PredefinedClass(int ordinal) {
    switch (ordinal) {
    case 0x80: return L"Button";
    case 0x81: return L"Edit";
    case 0x82: return L"Static";
    case 0x83: return L"ListBox";
    case 0x84: return L"ScrollBar";
    case 0x85: return L"ComboBox";
    default: return L"#" + std::to_wstring(ordinal);
    }
}

} // namespace

const TemplateControl* DialogTemplate::Find(int id) const {
    for (const TemplateControl& c : controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

DialogTemplate LoadDialogTemplate(HMODULE module, UINT id) {
    DialogTemplate t;
    const HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    const HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
    const auto* data = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
    if (!data)
        return t;
    Reader r(data, SizeofResource(module, info));
    if (r.Read<WORD>() != 1 || r.Read<WORD>() != 0xFFFF)
        return t;    // only the extended form is written by our resource scripts
    r.Read<DWORD>(); // help id
    r.Read<DWORD>(); // extended style
    t.style = r.Read<DWORD>();
    const WORD count = r.Read<WORD>();
    r.Read<short>();
    r.Read<short>();
    t.cx = r.Read<short>();
    t.cy = r.Read<short>();
    int ordinal = -1;
    r.StringOrOrdinal(&ordinal); // menu
    r.StringOrOrdinal(&ordinal); // class
    r.StringOrOrdinal(&ordinal); // title
    if (t.style & DS_SETFONT) {
        r.Read<WORD>();
        r.Read<WORD>();
        r.Read<BYTE>();
        r.Read<BYTE>();
        r.StringOrOrdinal(&ordinal);
    }
    for (WORD i = 0; i < count && r.Ok(); ++i) {
        r.AlignDword();
        TemplateControl c;
        r.Read<DWORD>();
        c.exStyle = r.Read<DWORD>();
        c.style = r.Read<DWORD>();
        const short x = r.Read<short>(), y = r.Read<short>(), cx = r.Read<short>(), cy = r.Read<short>();
        c.box = {x, y, x + cx, y + cy};
        c.id = static_cast<int>(r.Read<DWORD>());
        int classOrdinal = -1;
        c.className = r.StringOrOrdinal(&classOrdinal);
        if (classOrdinal >= 0)
            c.className = PredefinedClass(classOrdinal);
        c.text = r.StringOrOrdinal(&c.resourceOrdinal);
        r.Skip(r.Read<WORD>());
        t.controls.push_back(c);
    }
    t.valid = r.Ok() && t.controls.size() == count;
    return t;
}

RECT DialogUnitsToPixels(const RECT& box, SIZE baseUnits) {
    const int left = MulDiv(box.left, baseUnits.cx, 4);
    const int top = MulDiv(box.top, baseUnits.cy, 8);
    return RECT{left, top, left + MulDiv(box.right - box.left, baseUnits.cx, 4),
                top + MulDiv(box.bottom - box.top, baseUnits.cy, 8)};
}

} // namespace fw
