// Dialogs from templates in the current resource module: modal runs through the framework's
// own loop (pre-translation before the dialog manager), or modeless windows.
#pragma once

#include "framework/DialogWindow.h"

namespace fw {

class Control;

class Dialog : public DialogWindow {
public:
    // The template and everything else come from the context's resources (this executable's
    // without a context).
    explicit Dialog(UINT templateId, HWND parent = nullptr);
    Dialog(UINT templateId, WindowContext context, HWND parent = nullptr);
    ~Dialog() override;

    // Creates the dialog, disables its owner, runs it until EndDialog and destroys it.
    // Returns the EndDialog result, or -1 when the template cannot be loaded. An exception
    // thrown by a handler during the run ends it and leaves from here.
    int DoModal();
    // Modeless: creates the window (hidden unless its template says visible). An exception
    // thrown by a handler meanwhile leaves from here, as it does from DestroyWindow.
    bool Create(HWND parent = nullptr);
    void DestroyWindow();

    UINT TemplateId() const override { return templateId_; }

    bool TranslateDialogMessage(MSG& msg) override;

protected:
    // The framework's dialog initialisation: data exchange. True lets the system set the focus.
    virtual bool OnInitDialog();
    // Binds the dialog's control objects to their template controls (Bind).
    virtual void DoDataExchange() {}
    // The window's icon from the resources, at the sizes its scale asks for, now and after
    // every change of scale.
    void SetIconResource(UINT iconId);
    // Attaches a control object to the template control with that id, once.
    bool Bind(Control& control, int id);

    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAppearanceChanged(const Appearance& previous) override;
    // Typed handlers of what only dialogs are asked: unless overridden they run the default
    // processing.
    virtual void OnGetMinMaxInfo(MINMAXINFO& info);
    virtual HICON OnQueryDragIcon();

    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    friend INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    INT_PTR Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    UINT templateId_;
    UINT iconId_ = 0;
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
// application's main window when it has one; null otherwise.
HWND ModalOwner(HWND parent);

// The frame of a modal run: disables the owner for the run and, however the run ends, enables
// it again before destroying the window, so that activation returns to the owner.
class ModalRun {
public:
    ModalRun(Window& window, HWND owner);
    ~ModalRun();
    ModalRun(const ModalRun&) = delete;
    ModalRun& operator=(const ModalRun&) = delete;
    HWND Owner() const { return owner_; }

private:
    Window& window_;
    HWND owner_;
    bool disabled_;
};

} // namespace fw
