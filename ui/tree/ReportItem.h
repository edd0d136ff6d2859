// The rows of the property tree: the base item, the text item (a value string) and the group item
// (bold caption, a block of status columns for its descendants).
#pragma once

#include "tree/ItemOwner.h"
#include "tree/ReportCanvas.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tree {
class ReportTreeModel;
struct RowFrame;
} // namespace tree

enum ReportItemFlag : int {
    kItemSelected = 0x01,
    kItemExpanded = 0x02,
    kItemCheckBox = 0x04,
    kItemChecked = 0x08,
    kItemReadOnly = 0x20,
    kItemShown = 0x40,
};

class CReportItem {
public:
    CReportItem() = default;
    virtual ~CReportItem() = default;
    CReportItem(const CReportItem&) = delete;
    CReportItem& operator=(const CReportItem&) = delete;

    virtual bool IsGroup() const { return false; }
    virtual void SetCaption(const std::wstring& text);
    virtual void SetHint(const std::wstring& text) { hint_ = text; }
    virtual void PaintValue(tree::ReportCanvas& canvas, const tree::Rect& area) const;
    // 21 pixels at 96 DPI, at the owner's scale.
    virtual int RowHeight() const;
    // The value shown in the value area; null when the kind has none.
    virtual const std::wstring* ValueData() const { return nullptr; }
    virtual void SetValueData(const std::wstring* value);
    virtual void OnLayoutChanged() {}
    virtual void OnReload() {}
    virtual void OnDeactivate() {}
    virtual void OnActivate() {}

    const std::wstring& Caption() const { return caption_; }
    const std::wstring& Hint() const { return hint_; }
    // What a screen reader says about the row after its caption and value (e.g. a verdict in
    // words); the control's creator gives it.
    void SetDescription(std::wstring text) { description_ = std::move(text); }
    const std::wstring& Description() const { return description_; }

    // Flags.
    int Flags() const { return flags_; }
    bool HasFlag(int flag) const { return (flags_ & flag) != 0; }
    void SetFlag(int flag, bool on);
    bool IsSelected() const { return HasFlag(kItemSelected); }
    bool IsExpanded() const { return HasFlag(kItemExpanded); }
    bool HasCheckBox() const { return HasFlag(kItemCheckBox); }
    bool IsChecked() const { return HasFlag(kItemChecked); }
    bool IsReadOnly() const { return HasFlag(kItemReadOnly); }
    bool IsShown() const { return HasFlag(kItemShown); }
    void Select(bool on) { SetFlag(kItemSelected, on); }
    void Expand(bool on) { SetFlag(kItemExpanded, on); }
    void SetCheckBox(bool on) { SetFlag(kItemCheckBox, on); }
    void Check(bool on) { SetFlag(kItemChecked, on); }
    void SetReadOnly(bool on) { SetFlag(kItemReadOnly, on); }
    void Show(bool on) { SetFlag(kItemShown, on); }

    // Links.
    tree::ItemOwner* Owner() const { return owner_; }
    CReportItem* Parent() const { return parent_; }
    CReportItem* NextSibling() const { return nextSibling_; }
    CReportItem* FirstChild() const { return firstChild_; }
    int Id() const { return id_; }
    bool HasChildren() const { return firstChild_ != nullptr; }
    bool IsTopLevel() const;

    // The row's layout; the owner lays its rows out again first when anything they depend on
    // changed. Position, expander and check box are in document coordinates (row 0 at y 0), the
    // value area in list client coordinates.
    CReportItem* NextVisible() const;
    tree::Point Position() const;
    tree::Rect ValueArea() const;
    tree::Rect ExpanderBox() const;
    tree::Rect CheckBoxRect() const;
    int ExpanderBoxSize() const;

    // Status images: centre offset from the right edge of the list, image index.
    struct StatusImage {
        int centreOffset;
        int imageIndex;
    };
    void AddStatusImage(int centreOffset, int imageIndex);
    const std::vector<StatusImage>& StatusImages() const { return statusImages_; }
    // Each status image centred at `from[i]` is centred at `to[i]` from now on.
    void MoveStatusImages(const std::vector<int>& from, const std::vector<int>& to);

    // Activation by a click in the value area or by Enter/F2/F4.
    void Activate();
    bool ActivationRequested() const { return activationRequested_; }
    bool Editing() const { return editing_; }

    // This row's height plus, when expanded, that of every child (shown or not).
    int ExpandedHeight() const;
    // The nearest group among the item and its ancestors below the root, or null.
    const class CReportGroupItem* ColumnOwner() const;

protected:
    // Tells the owner that its rows must be laid out again.
    void InvalidateLayout();

private:
    friend class tree::ReportTreeModel;
    friend void PaintItems(const tree::ReportTreeModel& tree, tree::ReportCanvas& canvas);

    friend int WidestCaptionRight(const tree::ReportTreeModel& tree,
                                  const std::function<int(const std::wstring&)>& captionWidth);

    // This item's row, with its owner's layout brought up to date.
    const tree::RowLayout& Layout() const;
    // Draws the row (never its children) from its layout.
    void PaintItem(tree::ReportCanvas& canvas, const tree::RowFrame& frame, const tree::RowLayout& at) const;
    // What a row with children draws after its last descendant, over the descendants' rows.
    void PaintGroupEnd(tree::ReportCanvas& canvas, const tree::RowFrame& frame, const tree::RowLayout& at) const;
    // Where the caption goes in the label area (before its gap).
    tree::Rect CaptionArea(const tree::Rect& label, const tree::RowFrame& frame) const;

    tree::ItemOwner* owner_ = nullptr;
    std::wstring caption_;
    std::wstring hint_;
    std::wstring description_;
    int id_ = 0;
    std::vector<StatusImage> statusImages_;
    int flags_ = kItemShown;
    bool activationRequested_ = false;
    bool editing_ = false;
    CReportItem* parent_ = nullptr;
    CReportItem* nextSibling_ = nullptr;
    CReportItem* firstChild_ = nullptr;
    CReportItem* lastChild_ = nullptr; // appending stays cheap in long lists
};

class CReportTextItem : public CReportItem {
public:
    void PaintValue(tree::ReportCanvas& canvas, const tree::Rect& area) const override;
    const std::wstring* ValueData() const override { return &value_; }
    void SetValueData(const std::wstring* value) override;
    const std::wstring& ValueText() const { return value_; }

private:
    std::wstring value_;
};

class CReportGroupItem : public CReportItem {
public:
    struct Column {
        int leftOffset;   // from the list's right edge to the column's left edge
        int centreOffset; // from the same edge to the column's centre
        std::wstring title;
    };

    bool IsGroup() const override { return true; }
    // Appends a column titled `title`; the columns form a right-aligned block of equal widths,
    // as wide as the widest title. Needs an owner to measure the title.
    void AddColumn(const std::wstring& title);
    // Measures the titles again (the tree's scale changed) and lays the block out anew as the
    // columns were added; the status images of the rows below follow their columns.
    void RemeasureColumns();

    const std::vector<Column>& Columns() const { return columns_; }
    int ColumnWidth() const { return columnWidth_; }
    // The width of the column block: the first column's left offset, 0 without columns.
    int ColumnBlockWidth() const { return columns_.empty() ? 0 : columns_.front().leftOffset; }

private:
    std::vector<Column> columns_;
    int columnWidth_ = 0;
};
