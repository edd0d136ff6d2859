// Property sheets on comctl32's PropertySheetW, run modeless under the framework's loop.
#include "framework/PropertySheet.h"

#include "framework/Application.h"
#include "framework/ExceptionScope.h"
#include "framework/MessageLoop.h"

#include <cstring>

namespace fw {

INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) noexcept;

namespace {

// PropertySheetW's callback carries no object; this is the sheet being created.
thread_local PropertySheetDialog* sheetBeingCreated = nullptr;

// The sheet is shown only after our own initialisation has reshaped it.
void ClearVisibleStyle(void* dialogTemplate) {
    if (!dialogTemplate)
        return;
    auto* bytes = static_cast<unsigned char*>(dialogTemplate);
    WORD head[2];
    std::memcpy(head, bytes, sizeof head);
    // An extended template (version 1, signature 0xFFFF) has its style after help id and ex-style.
    const size_t offset = (head[0] == 1 && head[1] == 0xFFFF) ? 12 : 0;
    DWORD style;
    std::memcpy(&style, bytes + offset, sizeof style);
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(bytes + offset, &style, sizeof style);
}

} // namespace

// ---- pages ----

PropertyPage::PropertyPage(UINT templateId, HWND parent) : Dialog(templateId, parent) {}

PropertyPage::PropertyPage(UINT templateId, WindowContext context, HWND parent)
    : Dialog(templateId, std::move(context), parent) {}

void PropertyPage::SetTitle(std::wstring title) {
    title_ = std::move(title);
    useTitle_ = true;
}

PropertySheetDialog* PropertyPage::Sheet() const {
    if (!hwnd_ || !(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
        return nullptr;
    return dynamic_cast<PropertySheetDialog*>(Window::FromHandle(GetParent(hwnd_)));
}

HPROPSHEETPAGE PropertyPage::CreatePageHandle() {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT | (useTitle_ ? PSP_USETITLE : 0);
    page.hInstance = Context().resources.Module();
    page.pszTemplate = MAKEINTRESOURCEW(TemplateId());
    page.pfnDlgProc = PageProc;
    page.pszTitle = useTitle_ ? title_.c_str() : nullptr;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return CreatePropertySheetPageW(&page);
}

// ---- the sheet ----

PropertySheetDialog::PropertySheetDialog(WindowContext context, HWND parent) : DialogWindow(parent) {
    GiveContext(std::move(context));
}

// The window goes first, then the pages it showed (the members of a derived sheet are gone by
// now; its pages are not, as the sheet owns them here).
PropertySheetDialog::~PropertySheetDialog() {
    if (hwnd_) {
        const HWND window = hwnd_;
        Unsubclass();
        ::DestroyWindow(window);
    }
}

PropertyPage& PropertySheetDialog::AddPage(std::unique_ptr<PropertyPage> page) {
    PropertyPage& added = *page;
    ownedPages_.push_back(std::move(page));
    pages_.push_back(&added);
    return added;
}

int CALLBACK PropertySheetDialog::SheetCallback(HWND window, UINT msg, LPARAM lParam) noexcept {
    if (msg == PSCB_PRECREATE)
        ClearVisibleStyle(reinterpret_cast<void*>(lParam));
    else if (msg == PSCB_INITIALIZED && sheetBeingCreated && sheetBeingCreated->Subclass(window))
        TemplateScale::TakeOver(window);
    return 0;
}

PropertyPage* PropertySheetDialog::GetActivePage() const {
    const auto page = reinterpret_cast<HWND>(SendMessageW(hwnd_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return dynamic_cast<PropertyPage*>(Window::FromHandle(page));
}

bool PropertySheetDialog::SetActivePage(int index) const {
    return SendMessageW(hwnd_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0;
}

bool PropertySheetDialog::TranslateDialogMessage(MSG& msg) {
    return SendMessageW(hwnd_, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg)) != 0;
}

LRESULT PropertySheetDialog::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, msg, wParam, lParam);
}

void PropertySheetDialog::OnAppearanceChanged(const Appearance& previous) {
    DialogWindow::OnAppearanceChanged(previous);
    if (previous.dpi != Look().dpi)
        FitTabToPages();
}

// As the sheet was laid out when it was made: the tab control's display area holds the pages,
// which fill it.
void PropertySheetDialog::FitTabToPages() const {
    const HWND tab = GetTabControl();
    const auto shown = reinterpret_cast<HWND>(SendMessageW(hwnd_, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (!tab || !shown)
        return;
    const RECT page = ChildRect(shown);
    RECT outer{0, 0, page.right - page.left, page.bottom - page.top};
    TabCtrl_AdjustRect(tab, TRUE, &outer);
    RECT placed = ChildRect(tab);
    placed.right = placed.left + outer.right - outer.left;
    placed.bottom = placed.top + outer.bottom - outer.top;
    SetWindowPos(tab, nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    TabCtrl_AdjustRect(tab, FALSE, &placed);
    for (const PropertyPage* each : pages_)
        if (const HWND window = each->Hwnd())
            SetWindowPos(window, nullptr, placed.left, placed.top, placed.right - placed.left,
                         placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int PropertySheetDialog::DoModal() {
    if (hwnd_)
        return -1;
    ExceptionScope scope;
    {
        ModalRun run(*this, ModalOwner(parent_));
        std::vector<HPROPSHEETPAGE> handles;
        for (PropertyPage* page : pages_) {
            if (HPROPSHEETPAGE handle = page->CreatePageHandle())
                handles.push_back(handle);
        }
        PROPSHEETHEADERW header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_MODELESS | PSH_USECALLBACK;
        header.hwndParent = run.Owner();
        header.hInstance = Context().resources.Module();
        header.pszCaption = L"";
        header.nPages = static_cast<UINT>(handles.size());
        header.phpage = handles.data();
        header.pfnCallback = SheetCallback;

        result_ = -1;
        ended_ = false;
        sheetBeingCreated = this;
        const auto created = reinterpret_cast<HWND>(::PropertySheetW(&header));
        sheetBeingCreated = nullptr;
        if (!created || created == reinterpret_cast<HWND>(-1) || !hwnd_) {
            if (created && created != reinterpret_cast<HWND>(-1))
                ::DestroyWindow(created);
        } else {
            if (!scope.Captured())
                OnInitDialog();
            if (!ended_ && !scope.Captured() && hwnd_)
                ShowWindow(hwnd_, SW_SHOWNORMAL);
            PumpMessagesWhile([&] {
                if (ended_ || scope.Captured() || !hwnd_)
                    return false;
                // comctl32 marks its own end (OK, Cancel, close box) by having no current page.
                if (SendMessageW(hwnd_, PSM_GETCURRENTPAGEHWND, 0, 0) != 0)
                    return true;
                result_ = static_cast<int>(SendMessageW(hwnd_, PSM_GETRESULT, 0, 0));
                return false;
            });
        }
    }
    scope.RethrowIfCaptured();
    return result_;
}

} // namespace fw
