// Registry values as the scenarios set and check them: 32-bit values and strings.
#include "Driver.h"

#include "win32/Owners.h"

#include <algorithm>

namespace driver {

namespace {

struct KeyPath {
    HKEY root = nullptr;
    std::wstring subkey;
};

bool ParseKey(const Args& args, KeyPath& key) {
    if (args.positional.empty()) {
        Fail(L"a key is needed, such as HKCU\\Software\\Velmora");
        return false;
    }
    const std::wstring& path = args.positional[0];
    const size_t slash = path.find(L'\\');
    const std::wstring root = ToLower(path.substr(0, slash));
    key.subkey = slash == std::wstring::npos ? L"" : path.substr(slash + 1);
    if (root == L"hkcu" || root == L"hkey_current_user")
        key.root = HKEY_CURRENT_USER;
    else if (root == L"hklm" || root == L"hkey_local_machine")
        key.root = HKEY_LOCAL_MACHINE;
    else {
        Fail(L"unknown root: " + root);
        return false;
    }
    return true;
}

std::wstring Describe(DWORD type, const std::vector<BYTE>& data, const wchar_t* separator) {
    if (type == REG_DWORD && data.size() == 4) {
        DWORD v;
        memcpy(&v, data.data(), 4);
        return std::wstring(L"dword") + separator + std::to_wstring(v);
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return std::wstring(L"sz") + separator + text;
    }
    return L"type" + std::wstring(separator) + std::to_wstring(type);
}

// The value read whole in one call, so that a writer changing it meanwhile (an installer
// rewriting its record) gives the old or the new value, never a failed second read; a buffer
// found too small is grown and the read made again.
LSTATUS ReadValue(const KeyPath& key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
    data.resize(1024);
    for (;;) {
        DWORD size = static_cast<DWORD>(data.size());
        const LSTATUS rc = RegGetValueW(key.root, key.subkey.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                                        data.data(), &size);
        if (rc != ERROR_MORE_DATA) {
            data.resize(rc == ERROR_SUCCESS ? size : 0);
            return rc;
        }
        data.resize(std::max<size_t>(size, data.size() * 2));
    }
}

} // namespace

int CmdRegGet(const Args& args) {
    KeyPath key;
    if (!ParseKey(args, key) || args.positional.size() < 2)
        return kUsage;
    DWORD type = 0;
    std::vector<BYTE> data;
    const LSTATUS rc = ReadValue(key, args.positional[1], type, data);
    if (rc == ERROR_FILE_NOT_FOUND) {
        Print(L"absent");
        return kOk;
    }
    if (rc != ERROR_SUCCESS) {
        Fail(L"reg-get: cannot read " + args.positional[1] + L" under " + args.positional[0] + L" (" + ErrorText(rc) +
             L")");
        return kNotMet;
    }
    Print(Describe(type, data, L" "));
    return kOk;
}

int CmdRegSet(const Args& args) {
    KeyPath key;
    if (!ParseKey(args, key) || args.positional.size() < 4)
        return kUsage;
    const std::wstring& name = args.positional[1];
    const std::wstring kind = ToLower(args.positional[2]);
    const std::wstring& value = args.positional[3];
    win32::RegKey handle;
    if (RegCreateKeyExW(key.root, key.subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.Out(), nullptr) !=
        ERROR_SUCCESS) {
        Fail(L"reg-set: cannot create the key");
        return kNotMet;
    }
    LSTATUS rc;
    if (kind == L"dword") {
        long long v = 0;
        if (!ParseNumber(value, v))
            return kUsage;
        DWORD d = static_cast<DWORD>(v);
        rc = RegSetValueExW(handle.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&d), sizeof d);
    } else if (kind == L"sz") {
        rc = RegSetValueExW(handle.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    } else {
        Fail(L"reg-set: the kind is dword or sz");
        return kUsage;
    }
    if (rc != ERROR_SUCCESS) {
        Fail(L"reg-set: cannot write " + name + L" under " + args.positional[0] + L" (" + ErrorText(rc) + L")");
        return kNotMet;
    }
    return kOk;
}

// Deleting what is not there counts as done: scenarios use it to reach a known state.
int CmdRegDel(const Args& args) {
    KeyPath key;
    if (!ParseKey(args, key))
        return kUsage;
    LSTATUS rc;
    if (args.positional.size() >= 2) {
        win32::RegKey handle;
        rc = RegOpenKeyExW(key.root, key.subkey.c_str(), 0, KEY_SET_VALUE, handle.Out());
        if (rc == ERROR_SUCCESS)
            rc = RegDeleteValueW(handle.Get(), args.positional[1].c_str());
    } else {
        rc = RegDeleteTreeW(key.root, key.subkey.c_str());
        if (rc == ERROR_SUCCESS)
            rc = RegDeleteKeyW(key.root, key.subkey.c_str());
    }
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
        Fail(L"reg-del: cannot delete " + args.positional[0] +
             (args.positional.size() >= 2 ? L" " + args.positional[1] : L"") + L" (" + ErrorText(rc) + L")");
        return kNotMet;
    }
    return kOk;
}

int CmdRegList(const Args& args) {
    KeyPath key;
    if (!ParseKey(args, key))
        return kUsage;
    win32::RegKey handle;
    if (const LSTATUS rc = RegOpenKeyExW(key.root, key.subkey.c_str(), 0, KEY_READ, handle.Out());
        rc != ERROR_SUCCESS) {
        Fail(L"reg-list: cannot open " + args.positional[0] + L" (" + ErrorText(rc) + L")");
        return kNotMet;
    }
    std::vector<BYTE> data(1024);
    for (DWORD i = 0;;) {
        wchar_t name[16384];
        DWORD nameLength = ARRAYSIZE(name), type = 0, size = static_cast<DWORD>(data.size());
        const LSTATUS rc = RegEnumValueW(handle.Get(), i, name, &nameLength, nullptr, &type, data.data(), &size);
        if (rc == ERROR_NO_MORE_ITEMS)
            return kOk;
        if (rc == ERROR_MORE_DATA) { // grown since the last value: read it again
            data.resize(std::max<size_t>(size, data.size() * 2));
            continue;
        }
        if (rc != ERROR_SUCCESS) {
            Fail(L"reg-list: cannot read value " + std::to_wstring(i) + L" of " + args.positional[0] + L" (" +
                 ErrorText(rc) + L")");
            return kNotMet;
        }
        Print(std::wstring(name, nameLength) + L"=" +
              Describe(type, std::vector<BYTE>(data.begin(), data.begin() + size), L":"));
        ++i;
    }
}

int CmdRegKey(const Args& args) {
    KeyPath key;
    if (!ParseKey(args, key))
        return kUsage;
    win32::RegKey handle;
    const LSTATUS rc = RegOpenKeyExW(key.root, key.subkey.c_str(), 0, KEY_READ, handle.Out());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
        Fail(L"reg-key: cannot open " + args.positional[0] + L" (" + ErrorText(rc) + L")");
        return kNotMet;
    }
    Print(rc == ERROR_SUCCESS ? L"exists" : L"absent");
    return kOk;
}

} // namespace driver
