#include "report/ReportMenu.h"

#include "win32/Owners.h"

#include <string>

namespace report {

namespace {
constexpr UINT kCopyCommand = 1;
constexpr UINT kSaveCommand = 2;
} // namespace

MenuChoice ChooseFromReportMenu(HWND owner, POINT screenPoint, const TextLookup& texts) {
    const win32::Menu menu(CreatePopupMenu());
    if (!menu)
        return MenuChoice::None;
    const std::wstring copy = texts(L"IDS_COPY_REPORT");
    AppendMenuW(menu.Get(), MF_STRING, kCopyCommand, copy.c_str());
    const std::wstring save = texts(L"IDS_SAVE_REPORT");
    AppendMenuW(menu.Get(), MF_STRING, kSaveCommand, save.c_str());
    switch (static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screenPoint.x,
                                             screenPoint.y, 0, owner, nullptr))) {
    case kCopyCommand: return MenuChoice::Copy;
    case kSaveCommand: return MenuChoice::Save;
    default: return MenuChoice::None;
    }
}

MenuChoice ShortcutOf(const MSG& msg, HWND report) {
    if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || (msg.hwnd != report && !IsChild(report, msg.hwnd)))
        return MenuChoice::None;
    switch (msg.wParam) {
    case 'C': return MenuChoice::Copy;
    case 'S': return MenuChoice::Save;
    default: return MenuChoice::None;
    }
}

} // namespace report
