// Property sheets on comctl32's PropertySheetW, created modeless and run under the framework's
// modal loop, with pages from templates in the current resource module.
#pragma once

#include "framework/Dialog.h"

#include <memory>
#include <string>
#include <vector>

namespace fw {

class PropertySheetDialog;

class PropertyPage : public Dialog {
public:
    explicit PropertyPage(UINT templateId, HWND parent = nullptr);
    PropertyPage(UINT templateId, WindowContext context, HWND parent = nullptr);

    // The tab caption (PSP_USETITLE). Without it the template's caption is used.
    void SetTitle(std::wstring title);
    const std::wstring& Title() const { return title_; }

    // The sheet this page is shown in, or null when it runs as a dialog of its own.
    PropertySheetDialog* Sheet() const;

private:
    friend class PropertySheetDialog;
    HPROPSHEETPAGE CreatePageHandle();

    std::wstring title_;
    bool useTitle_ = false;
};

class PropertySheetDialog : public DialogWindow {
public:
    explicit PropertySheetDialog(HWND parent = nullptr) : DialogWindow(parent) {}
    PropertySheetDialog(WindowContext context, HWND parent);
    ~PropertySheetDialog() override;

    // A page the sheet owns: it goes after the sheet's window, which shows it.
    PropertyPage& AddPage(std::unique_ptr<PropertyPage> page);
    // A page the caller owns; it must outlive the sheet's window.
    void AddPage(PropertyPage& page) { pages_.push_back(&page); }
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    PropertyPage& GetPage(int index) const { return *pages_.at(static_cast<size_t>(index)); }
    PropertyPage* GetActivePage() const;
    bool SetActivePage(int index) const;

    // Runs the sheet as a modal window: comctl32 creates it modeless and the framework's loop
    // runs it until EndDialog, or until comctl32 itself closes it (OK, Cancel, close box).
    // Returns the EndDialog result, comctl32's result when it closed the sheet, or -1 when the
    // sheet cannot be created.
    int DoModal();

    HWND GetTabControl() const { return reinterpret_cast<HWND>(SendMessageW(hwnd_, PSM_GETTABCONTROL, 0, 0)); }

    // A page hands a left-button press on its own background to its sheet, at that point of the
    // sheet's client area. The sheet does nothing with it unless it says otherwise.
    virtual void OnPagePressed(POINT sheetClientPoint) { (void)sheetClientPoint; }
    // A page's own way out (its cancel, its OK) closes the whole sheet, never the page alone;
    // the sheet ends as cancelled unless it says otherwise.
    virtual void OnPageCancel() { EndDialog(IDCANCEL); }

    bool TranslateDialogMessage(MSG& msg) override;

protected:
    // Runs after comctl32's own initialisation of the sheet (and of its first page), before
    // the sheet is shown. The base answers true, as comctl32's initialisation did.
    virtual bool OnInitDialog() { return true; }
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The sheet's children, its pages with theirs, move to the new scale.
    void OnAppearanceChanged(const Appearance& previous) override;

private:
    static int CALLBACK SheetCallback(HWND window, UINT msg, LPARAM lParam) noexcept;
    void FitTabToPages() const;

    std::vector<PropertyPage*> pages_;
    std::vector<std::unique_ptr<PropertyPage>> ownedPages_;
};

} // namespace fw
