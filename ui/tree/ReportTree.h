// The property tree control: a container window holding the item tree, with the
// row list (CReportTreeList) above an info pane (CReportTreePane) for the selected item.
#pragma once

#include "framework/Controls.h"
#include "framework/CustomWindow.h"
#include "framework/Gdi.h"
#include "framework/Window.h"
#include "tree/ReportTreeModel.h"
#include "tree/TreeFonts.h"
#include "tree/TreeWindowHost.h"

#include <memory>

class CReportTreeList;
class CReportTreePane;

// The notification record sent with WM_NOTIFY while the control has style bit 0x0001.
struct NMREPORTTREE {
    NMHDR hdr;
    CReportItem* item;
    BYTE reserved[28];
};

inline constexpr DWORD RTS_NOTIFY = 0x0001;

class CReportTree : public fw::CustomWindow, private tree::TreeWindowHost {
public:
    CReportTree();
    ~CReportTree() override;

    bool Create(DWORD style, const RECT& rect, HWND parent, int id);

    CReportItem* AddItem(std::unique_ptr<CReportItem> item, CReportItem* parent = nullptr) {
        return model_.AddItem(std::move(item), parent);
    }
    void RemoveItem(CReportItem* item) { model_.RemoveItem(item); }
    void RemoveAllItems() { model_.RemoveAllItems(); }
    CReportItem* ItemFromId(int id) const { return model_.ItemFromId(id); }
    CReportItem* SelectedItem() const { return model_.SelectedItem(); }
    void SelectItem(CReportItem* item) { model_.SelectItem(item); }
    void ScrollToItem(CReportItem* item) { model_.ScrollToItem(item); }
    CReportItem* ItemAtPoint(POINT point) const { return model_.ItemAtPoint({point.x, point.y}); }
    int HitTestPoint(POINT point) const override { return model_.HitTestPoint({point.x, point.y}); }
    void SetDividerPosition(int x) override { model_.SetDividerPosition(x); }

    // The control owns the image list from here on.
    void SetNodeImages(fw::ImageList images);
    HIMAGELIST NodeImages() const override { return images_.Get(); }

    // What screen readers call the row list; without it, the dialog's title.
    void SetAccessibleName(const std::wstring& name);

    // Locking also disables (enables) the parent window.
    void SetInputLocked(bool locked);
    void ShowInfoPane(bool show);
    bool InfoPaneShown() const { return showInfoPane_; }
    int InfoPaneHeight() const { return infoPaneHeight_; }

    // Moves the control to its parent's origin with this size, and lays out its children.
    void Resize(int width, int height);

    // Moves the divider right where the captions of the rows need more room than it leaves them
    // (within the divider's limits); never left.
    void FitDividerToCaptions();

    tree::ReportTreeModel& Model() { return model_; }
    const tree::ReportTreeModel& Model() const { return model_; }
    CReportTreeList& List() const { return *list_; }
    CReportTreePane& Pane() const { return *pane_; }

    // Shared by every tree at the same scale: bold for groups and the pane's title, normal for
    // the rest.
    HFONT NormalFont() const { return tree::TreeFonts::Normal(fonts_.Dpi()); }
    HFONT BoldFont() const { return tree::TreeFonts::Bold(fonts_.Dpi()); }

    // Sends a notification (only with RTS_NOTIFY); the parent's answer, 0 when none was sent.
    std::intptr_t Notify(int code, CReportItem* item) override;

    // Carries out the repaints and the scroll-bar update that model changes asked for. They are
    // gathered and done once (posted, or before anything reads the scroll state or paints), so
    // that adding or removing many rows costs one update, not one per row.
    void SettleRefresh() override;

protected:
    virtual std::unique_ptr<CReportTreeList> CreateListObject();
    virtual std::unique_ptr<CReportTreePane> CreatePaneObject();

    int OnCreate(CREATESTRUCTW& create) override;
    void OnSize(UINT type, int width, int height) override;
    void OnEnable(bool enable) override;
    void OnSysColorChange() override;
    void OnSetFocus(HWND previous) override;
    void OnRButtonDown(UINT flags, POINT point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode(MSG* msg) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Fonts, row figures and the pane's height at the new scale; the children are laid out again.
    void OnAppearanceChanged(const fw::Appearance& previous) override;

private:
    enum Refresh : unsigned { kContainer = 1, kList = 2, kScrollBar = 4 };
    void MarkDirty(unsigned what);
    unsigned pending_ = 0;
    bool flushing_ = false;

    void LayoutChildren(int width, int height);
    // The divider of a tree made `width` wide: 30 % of it.
    static int CreatedDivider(int width);
    // A new size: the children laid out for it. The first after a change of scale puts the
    // divider where the tree itself would now (when it was still where the tree put it) or at
    // the share of the width it had (when the player moved it).
    void Sized(int width, int height);
    // What Sized does with the divider after a change of scale: below 0 choose it again, above 0
    // the share to keep, 0 nothing.
    double dividerShare_ = 0;
    // Where the tree last put the divider itself (at creation, fitting it to the captions).
    int ownDivider_ = 0;

    // The window side of the model: repaints gathered here, notifications sent by the control.
    class ModelHost final : public tree::ReportTreeHost {
    public:
        explicit ModelHost(CReportTree& tree) : tree_(tree) {}
        std::intptr_t Notify(int code, CReportItem* item) override { return tree_.Notify(code, item); }
        bool WindowExists() const override { return tree_.hwnd_ != nullptr; }
        void RepaintContainer() override { tree_.MarkDirty(kContainer); }
        void RepaintList() override { tree_.MarkDirty(kList); }
        void UpdateListNow() override;
        void RecomputeScrollBar() override { tree_.MarkDirty(kScrollBar); }
        void ScrollListTo(int position) override;
        tree::Rect ListClientRect() const override;
        void InvalidateListRect(const tree::Rect& rect) override;
        int MeasureColumnTitle(const std::wstring& title) override;
        bool HasImageList() const override { return tree_.images_.Get() != nullptr; }
        bool IsEnabled() const override { return tree_.hwnd_ && IsWindowEnabled(tree_.hwnd_); }
        void FocusList() override;
        void ItemChanged(tree::ItemChange what, CReportItem* item) override;

    private:
        CReportTree& tree_;
    };

    // TreeWindowHost
    HWND ControlWindow() const override { return hwnd_; }
    std::wstring AccessibleName() const override;
    const tree::ReportTreeModel& View() const override { return model_; }
    void ToggleExpansion(CReportItem* row) override { model_.ToggleExpansion(row); }
    void ChangeSelection(CReportItem* row) override { model_.ChangeSelection(row); }
    void SetScrollPosition(int y) override { model_.SetScrollPosition(y); }
    tree::ClickResult Click(tree::Point point) override { return model_.Click(point); }
    void DoubleClick(tree::Point point) override { model_.DoubleClick(point); }
    bool Key(unsigned virtualKey) override { return model_.Key(virtualKey); }
    void LayoutChanged() override { model_.LayoutChangedAll(); }

    tree::TreeFonts fonts_;

    std::unique_ptr<CReportTreeList> list_;
    std::unique_ptr<CReportTreePane> pane_;
    bool showInfoPane_ = true;
    int infoPaneHeight_ = 50;
    ModelHost modelHost_{*this};
    tree::ReportTreeModel model_;
    fw::ImageList images_;
    std::wstring accessibleName_;
};
