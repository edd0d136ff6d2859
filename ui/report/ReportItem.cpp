#include "report/ReportItem.h"

#include "report/ReportTreeModel.h"

using report::Point;
using report::Rect;

bool CReportItem::IsTopLevel() const { return parent_ != nullptr && parent_->parent_ == nullptr; }

void CReportItem::PaintValue(report::ReportCanvas&, const Rect&) {}

void CReportItem::SetValueData(const std::wstring*) {}

void CReportItem::Activate() {
    activationRequested_ = true;
    editing_ = false;
    OnActivate();
}

int CReportItem::ExpandedHeight() const {
    int height = RowHeight();
    if (IsExpanded())
        for (const CReportItem* child = firstChild_; child; child = child->nextSibling_)
            height += child->ExpandedHeight();
    return height;
}

const CReportGroupItem* CReportItem::ColumnOwner() const {
    for (const CReportItem* item = this; item && item->parent_; item = item->parent_)
        if (item->IsGroup())
            return static_cast<const CReportGroupItem*>(item);
    return nullptr;
}

void CReportTextItem::PaintValue(report::ReportCanvas& canvas, const Rect& area) {
    canvas.SelectFont(report::FontKind::Normal);
    canvas.SetTextColour(canvas.Colours().black);
    canvas.DrawLine(value_, area, report::Align::Left);
}

void CReportTextItem::SetValueData(const std::wstring* value) {
    if (!value)
        return;
    value_ = *value;
    if (Owner() && Owner()->Host().WindowExists())
        Owner()->Host().InvalidateListRect(ValueArea());
}

void CReportGroupItem::AddColumn(const std::wstring& title) {
    // Without an owner there is no font to measure with: the column gets the current width.
    const int measured = Owner() ? Owner()->Host().MeasureColumnTitle(title) : 0;
    if (measured > columnWidth_)
        columnWidth_ = measured;
    const int w = columnWidth_;
    const int n = static_cast<int>(columns_.size());
    const int halfWidth = static_cast<int>(static_cast<unsigned>(w) / 2u);
    for (int i = 0; i < n; ++i) {
        columns_[static_cast<size_t>(i)].leftOffset = (n - i + 1) * w;
        columns_[static_cast<size_t>(i)].centreOffset = columns_[static_cast<size_t>(i)].leftOffset - halfWidth;
    }
    columns_.push_back({w, w / 2, title});
}

int PaintItem(CReportItem& item, report::ReportCanvas& canvas, const Rect& client, int x, int y) {
    report::ReportTreeModel& tree = *item.owner_;
    const report::SystemColours& colours = canvas.Colours();
    const int I = tree.IndentWidth();
    const int D = tree.Divider();
    const int S = tree.ScrollPosition();
    const int R = client.right;
    const int H = item.RowHeight();
    const bool topLevel = item.IsTopLevel();
    const bool group = item.IsGroup();
    const bool children = item.HasChildren();
    const int rowTop = y - S;

    // 1. Chain, size, position, value area.
    tree.AppendToVisibleChain(&item);
    item.expanderSize_ = report::ExpanderSize(I);
    item.position_ = {x, y};
    item.valueArea_ = {D + report::kDividerHalfWidth, rowTop, R - 1, rowTop + H - 1};

    // Rows out of view keep their layout (hit tests and keys use it) but draw nothing.
    const bool drawn = canvas.Visible({client.left, rowTop, R + 1, rowTop + H});

    // 2. Status images, centred on their column; the value then stops at the column block.
    const CReportGroupItem* columnOwner = item.ColumnOwner();
    if (tree.Host().HasImageList() && !item.statusImages_.empty()) {
        const Rect& area = item.valueArea_;
        for (const auto& image : item.statusImages_) {
            if (!drawn)
                break;
            int width = 0, height = 0;
            if (!canvas.ImageSize(image.imageIndex, width, height))
                continue;
            canvas.DrawImage(image.imageIndex, {area.right - width / 2 - image.centreOffset,
                                                area.top + (area.bottom - area.top - height) / 2});
        }
        item.valueArea_.right = R - (columnOwner ? columnOwner->ColumnBlockWidth() : 0);
    }

    // 3. Label area.
    const Rect label{I + x, rowTop, group ? R : D, rowTop + H};

    // 4. Row background.
    if (drawn && topLevel)
        canvas.Fill({client.left, rowTop, R + 1, rowTop + H}, report::DarkenedFace(colours.face));
    else if (drawn && group)
        canvas.Fill({I + x, rowTop, R, rowTop + H}, colours.face);

    // 5, 6. Expander and check box (document coordinates).
    const int size = item.expanderSize_;
    const int boxTop = y + (H / 2 - size / 2 - 2);
    if (children) {
        const int left = topLevel ? I / 2 - size / 2 + 1 : I / 2 - size / 2 + label.left;
        item.expanderBox_ = {left, boxTop, left + size, boxTop + size};
    } else {
        item.expanderBox_ = {};
    }
    if (item.HasCheckBox()) {
        const int left = label.left + 5;
        item.checkBox_ = {left, boxTop, left + 14, boxTop + 14};
    } else {
        item.checkBox_ = {};
    }

    if (drawn) {
        // 7. Items other than groups keep their label inside the label area.
        if (!group)
            canvas.PushClip(label);

        // 8, 9. Caption.
        Rect caption = label;
        if (children && !topLevel)
            caption.left += I - 1;
        if (item.HasCheckBox())
            caption = report::Offset(caption, 24, 0);
        if (!item.Caption().empty()) {
            caption.left += 5;
            canvas.SelectFont(group ? report::FontKind::Bold : report::FontKind::Normal);
            report::Colour text = topLevel ? colours.light : colours.text;
            const Rect measured = canvas.MeasureLine(item.Caption(), caption);
            if (item.IsSelected()) {
                const int left = children ? caption.left - 5 - I : caption.left - 5;
                canvas.Fill({left, label.top, label.right, label.bottom}, colours.highlight);
                text = colours.light;
            }
            if (!tree.Host().IsEnabled())
                text = colours.grey;
            canvas.SetTextColour(text);
            canvas.DrawLine(item.Caption(), {measured.left, label.top, measured.right, label.bottom},
                            report::Align::Left);
        }

        // 10. Expander box and check box, on screen.
        if (children) {
            const Rect box = report::Offset(item.expanderBox_, 0, -S);
            canvas.Box(box, colours.shadow, colours.white);
            const int m = (size - 1) / 2;
            canvas.Line({box.left + 2, box.top + m}, {box.left + size - 2, box.top + m}, colours.black);
            if (!item.IsExpanded())
                canvas.Line({box.left + m, box.top + 2}, {box.left + m, box.top + size - 2}, colours.black);
        }
        if (item.HasCheckBox())
            canvas.CheckBox(report::Offset(item.checkBox_, 0, -S), item.IsChecked());
        if (!group)
            canvas.PopClip();

        // 11. Row separator.
        const int lastRow = rowTop + H - 1;
        if (topLevel) {
            canvas.DottedLine({I, lastRow}, R - I + 1, colours.shadow);
        } else if (!children || item.IsExpanded()) {
            const int start = (item.HasCheckBox() ? item.checkBox_.left : caption.left) - 2;
            canvas.DottedLine({start, lastRow}, R - start, colours.shadow);
        }

        // 12. Divider.
        if (!group) {
            canvas.Line({D, rowTop}, {D, rowTop + H}, colours.shadow);
            canvas.Line({D + 1, rowTop}, {D + 1, rowTop + H}, colours.light);
        }

        // 13. Column lines, and the titles on the group's own row.
        if (columnOwner) {
            const auto& columns = columnOwner->Columns();
            for (size_t i = 0; i < columns.size(); ++i) {
                const int lineX = R - columns[i].leftOffset;
                canvas.Line({lineX, rowTop}, {lineX, rowTop + H}, colours.shadow);
                canvas.Line({lineX + 1, rowTop}, {lineX + 1, rowTop + H}, colours.light);
                if (group) {
                    const int right = i + 1 < columns.size() ? R - columns[i + 1].leftOffset : label.right;
                    canvas.DrawLine(columns[i].title, {lineX + 2, rowTop, right, rowTop + H}, report::Align::Centre);
                }
            }
        }

        // 14. Value.
        if (!group) {
            canvas.PushClip(item.valueArea_);
            item.PaintValue(canvas, item.valueArea_);
            canvas.PopClip();
        }
    }

    // 15. Children.
    int total = H;
    if (children && item.IsExpanded()) {
        int childY = y + H;
        for (CReportItem* child = item.firstChild_; child; child = child->nextSibling_) {
            if (!child->IsShown())
                continue;
            const int used = PaintItem(*child, canvas, client, topLevel ? x : x + 12, childY);
            childY += used;
            total += used;
        }
        if (!topLevel)
            canvas.Fill({label.left, rowTop + H - 1, label.left + I, rowTop + total}, colours.face);
    }

    // 16. The group's closing line.
    if (children && canvas.Visible({I, rowTop + total - 1, R, rowTop + total}))
        canvas.DottedLine({I, rowTop + total - 1}, R - I, colours.shadow);
    return total;
}
