#include "dialogs/MessageDialog.h"

#include "ResourceIds.h"

CMessageDialog::CMessageDialog(std::wstring message, std::wstring caption, std::wstring checkLabel,
                               fw::WindowContext context, HWND parent)
    : fw::Dialog(IDD_MESSAGE, std::move(context), parent), message_(std::move(message)), caption_(std::move(caption)),
      checkLabel_(std::move(checkLabel)) {}

void CMessageDialog::DoDataExchange() { Bind(check_, IDC_MESSAGE_CHECK); }

bool CMessageDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    SetText(caption_);
    SetItemText(IDC_MESSAGE_TEXT, message_);
    SetItemText(IDC_MESSAGE_OK, Context().texts(L"IDS_OK_BUTTON"));
    check_.SetText(checkLabel_);
    ok_.AttachSkin(IDC_MESSAGE_OK, hwnd_, ctl::kFramed);
    ShowEmblem();
    return true;
}

// The emblem is the template's first static; a contrast theme shows no crests.
void CMessageDialog::ShowEmblem() const {
    if (const HWND emblem = FindWindowExW(hwnd_, nullptr, L"Static", nullptr))
        ShowWindow(emblem, Look().highContrast ? SW_HIDE : SW_SHOWNA);
}

void CMessageDialog::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::Dialog::OnAppearanceChanged(previous);
    ShowEmblem();
}

bool CMessageDialog::OnCommand(int id, int code, HWND control) {
    if (id == IDC_MESSAGE_OK) {
        EndDialog(check_.GetCheck() != 0 ? 1 : 0);
        return true;
    }
    return fw::Dialog::OnCommand(id, code, control);
}

HBRUSH CMessageDialog::OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) {
    return colours_.Answer(*this, dc, child, kind);
}
