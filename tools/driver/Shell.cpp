// Shell links: what a shortcut that an installer made would start, as the shell reads it.
#include "Driver.h"

#include <objbase.h>
#include <shlobj.h>

#include "win32/Owners.h"

namespace driver {

// Prints "target=", "arguments=", "directory=", "icon=PATH,INDEX" and "description=" of the link,
// or "absent" (exit 1) when there is no such file; a link that is there but cannot be read ends
// with exit 1 and a message.
int CmdShortcut(const Args& args) {
    if (args.positional.size() != 1)
        return kUsage;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int rc = kNotMet;
    {
        // Released before COM is left.
        win32::ComPtr<IShellLinkW> link;
        win32::ComPtr<IPersistFile> file;
        if (SUCCEEDED(
                CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.OutVoid())) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.OutVoid())) &&
            GetFileAttributesW(args.positional[0].c_str()) != INVALID_FILE_ATTRIBUTES &&
            SUCCEEDED(file->Load(args.positional[0].c_str(), STGM_READ))) {
            wchar_t text[INFOTIPSIZE];
            int icon = 0;
            text[0] = L'\0';
            link->GetPath(text, ARRAYSIZE(text), nullptr, SLGP_RAWPATH);
            Print(std::wstring(L"target=") + text);
            text[0] = L'\0';
            link->GetArguments(text, ARRAYSIZE(text));
            Print(std::wstring(L"arguments=") + text);
            text[0] = L'\0';
            link->GetWorkingDirectory(text, ARRAYSIZE(text));
            Print(std::wstring(L"directory=") + text);
            text[0] = L'\0';
            link->GetIconLocation(text, ARRAYSIZE(text), &icon);
            Print(std::wstring(L"icon=") + text + L"," + std::to_wstring(icon));
            text[0] = L'\0';
            link->GetDescription(text, ARRAYSIZE(text));
            Print(std::wstring(L"description=") + text);
            rc = kOk;
        } else if (GetFileAttributesW(args.positional[0].c_str()) == INVALID_FILE_ATTRIBUTES) {
            Print(L"absent");
        } else {
            Fail(L"shortcut: cannot read " + args.positional[0]);
        }
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return rc;
}

} // namespace driver
