// Dialogs from templates in the current resource module: modal runs through the framework's
// own loop (pre-translation before the dialog manager), or modeless windows.
#pragma once

#include "framework/Window.h"

namespace fw {

class Control;

class Dialog : public Window {
public:
    explicit Dialog(UINT templateId, HWND parent = nullptr);
    ~Dialog() override;

    // Creates the dialog, disables its owner, runs it until EndDialog and destroys it.
    // Returns the EndDialog result, or -1 when the template cannot be loaded. An exception
    // thrown by a handler during the run ends it and leaves from here.
    int DoModal();
    // Modeless: creates the window (hidden unless its template says visible).
    bool Create(HWND parent = nullptr);
    void DestroyWindow();

    // Ends a modal run with a result. Outside a modal run it only records the result.
    void EndDialog(int result);
    bool IsModalRunning() const { return modalRunning_; }

    UINT TemplateId() const { return templateId_; }
    void SetDefID(int id) const { SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(id), 0); }
    int GetDefID() const;

    bool TranslateDialogMessage(MSG& msg) override;

protected:
    // The framework's dialog initialisation: data exchange. True lets the system set the focus.
    virtual bool OnInitDialog();
    // Binds the dialog's control objects to their template controls (Bind).
    virtual void DoDataExchange() {}
    // Attaches a control object to the template control with that id, once.
    bool Bind(Control& control, int id);

    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    bool OnCommand(int id, int code, HWND control) override;

    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // For property pages: the dialog procedure and its initialisation argument.
    void SetParentWindow(HWND parent) { parent_ = parent; }
    HWND ParentWindow() const { return parent_; }

private:
    friend INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    friend INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    INT_PTR Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    UINT templateId_;
    HWND parent_;
    int result_ = -1;
    bool modalRunning_ = false;
    bool ended_ = false;
    // The message being passed to DefDlgProc by Default(): its call into our dialog
    // procedure must answer "not handled" so that the default processing runs.
    struct Pending {
        bool active;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    Pending pendingDefault_{};
};

// The owner a modal window gets: the given parent's top-level window, or else the
// application's main window; null when that is the window itself or there is none.
HWND ModalOwner(HWND parent);

// Disables a modal window's owner for the run and enables it again before the window goes,
// so that activation returns to it.
class OwnerDisabler {
public:
    explicit OwnerDisabler(HWND owner);
    ~OwnerDisabler() { Restore(); }
    OwnerDisabler(const OwnerDisabler&) = delete;
    OwnerDisabler& operator=(const OwnerDisabler&) = delete;
    void Restore();
    HWND Owner() const { return owner_; }

private:
    HWND owner_;
    bool disabled_;
};

} // namespace fw
