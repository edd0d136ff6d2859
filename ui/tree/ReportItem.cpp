#include "tree/ReportItem.h"

#include "tree/RowPainting.h"

#include <algorithm>

using tree::Point;
using tree::Rect;

bool CReportItem::IsTopLevel() const { return parent_ != nullptr && parent_->parent_ == nullptr; }

void CReportItem::SetFlag(int flag, bool on) {
    const int flags = on ? (flags_ | flag) : (flags_ & ~flag);
    // These decide which rows there are and where their boxes sit.
    const bool reshapes = ((flags ^ flags_) & (kItemExpanded | kItemShown | kItemCheckBox)) != 0;
    flags_ = flags;
    if (reshapes)
        InvalidateLayout();
}

void CReportItem::InvalidateLayout() {
    if (owner_)
        owner_->InvalidateLayout();
}

void CReportItem::AddStatusImage(int centreOffset, int imageIndex) {
    statusImages_.push_back({centreOffset, imageIndex});
    InvalidateLayout(); // the value area now stops at the column block
}

const tree::RowLayout& CReportItem::Layout() const {
    static const tree::RowLayout kNotLaidOut{};
    return owner_ ? owner_->LayoutOf(*this) : kNotLaidOut;
}

CReportItem* CReportItem::NextVisible() const { return Layout().nextVisible; }
Point CReportItem::Position() const { return Layout().position; }
Rect CReportItem::ExpanderBox() const { return Layout().expanderBox; }
Rect CReportItem::CheckBoxRect() const { return Layout().checkBox; }
int CReportItem::ExpanderBoxSize() const { return Layout().expanderSize; }

Rect CReportItem::ValueArea() const {
    const Rect area = Layout().valueArea;
    return owner_ ? tree::Offset(area, 0, -owner_->ScrollPosition()) : area;
}

void CReportItem::PaintValue(tree::ReportCanvas&, const Rect&) const {}

int CReportItem::RowHeight() const { return owner_ ? owner_->RowHeight() : tree::kRowHeight; }

void CReportItem::SetValueData(const std::wstring*) {}

void CReportItem::SetCaption(const std::wstring& text) {
    const bool changed = text != caption_;
    caption_ = text;
    if (changed && owner_)
        owner_->ItemChanged(tree::ItemChange::Caption, this);
}

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

void CReportTextItem::PaintValue(tree::ReportCanvas& canvas, const Rect& area) const {
    canvas.SelectFont(tree::FontKind::Normal);
    canvas.SetTextColour(canvas.Colours().black);
    canvas.DrawLine(value_, area, tree::Align::Left);
}

void CReportTextItem::SetValueData(const std::wstring* value) {
    if (!value)
        return;
    const bool changed = *value != value_;
    value_ = *value;
    if (Owner())
        Owner()->RepaintRows(ValueArea());
    if (changed && Owner())
        Owner()->ItemChanged(tree::ItemChange::Value, this);
}

void CReportGroupItem::AddColumn(const std::wstring& title) {
    // Without an owner there is no font to measure with: the column gets the current width.
    const int measured = Owner() ? Owner()->MeasureColumnTitle(title) : 0;
    if (measured > columnWidth_)
        columnWidth_ = measured;
    const int width = columnWidth_;
    const int count = static_cast<int>(columns_.size());
    const int halfWidth = static_cast<int>(static_cast<unsigned>(width) / 2u);
    for (int index = 0; index < count; ++index) {
        Column& column = columns_[static_cast<size_t>(index)];
        column.leftOffset = (count - index + 1) * width;
        column.centreOffset = column.leftOffset - halfWidth;
    }
    columns_.push_back({width, width / 2, title});
    InvalidateLayout(); // rows with status images stop their values at the wider block
}

void CReportGroupItem::RemeasureColumns() {
    std::vector<int> before;
    std::vector<std::wstring> titles;
    for (const Column& column : columns_) {
        before.push_back(column.centreOffset);
        titles.push_back(column.title);
    }
    columns_.clear();
    columnWidth_ = 0;
    for (const std::wstring& title : titles)
        AddColumn(title);
    std::vector<int> after;
    for (const Column& column : columns_)
        after.push_back(column.centreOffset);
    for (CReportItem* child = FirstChild(); child; child = child->NextSibling())
        child->MoveStatusImages(before, after);
}

void CReportItem::MoveStatusImages(const std::vector<int>& from, const std::vector<int>& to) {
    for (StatusImage& image : statusImages_)
        for (size_t i = 0; i < from.size() && i < to.size(); ++i)
            if (image.centreOffset == from[i]) {
                image.centreOffset = to[i];
                break;
            }
    for (CReportItem* child = FirstChild(); child; child = child->NextSibling())
        if (!child->IsGroup())
            child->MoveStatusImages(from, to);
}

void CReportItem::PaintItem(tree::ReportCanvas& canvas, const tree::RowFrame& frame, const tree::RowLayout& at) const {
    const tree::SystemColours& colours = canvas.Colours();
    const tree::TreeMetrics& m = frame.metrics;
    const int indent = frame.indent;
    const int divider = frame.divider;
    const int right = frame.client.right;
    const int height = RowHeight();
    const int rowTop = at.position.y - frame.scroll;
    const bool topLevel = IsTopLevel();
    const bool group = IsGroup();
    const bool children = HasChildren();
    const Rect value = tree::Offset(at.valueArea, 0, -frame.scroll);

    // Status images, centred on their column; the offsets count from the value area's right edge
    // before the column block was taken off it.
    if (frame.images) {
        for (const StatusImage& image : statusImages_) {
            int imageWidth = 0, imageHeight = 0;
            if (!canvas.ImageSize(image.imageIndex, imageWidth, imageHeight))
                continue;
            canvas.DrawImage(image.imageIndex, {right - 1 - imageWidth / 2 - image.centreOffset,
                                                value.top + (value.bottom - value.top - imageHeight) / 2});
        }
    }

    const Rect label{indent + at.position.x, rowTop, group ? right : divider, rowTop + height};

    // Row background.
    if (topLevel)
        canvas.Fill({frame.client.left, rowTop, right + 1, rowTop + height}, colours.heading);
    else if (group)
        canvas.Fill({label.left, rowTop, right, rowTop + height}, colours.face);

    // Items other than groups keep their label inside the label area.
    if (!group)
        canvas.PushClip(label);

    // Caption.
    Rect caption = CaptionArea(label, frame);
    if (!Caption().empty()) {
        caption.left += m.captionGap;
        canvas.SelectFont(group ? tree::FontKind::Bold : tree::FontKind::Normal);
        tree::Colour text = topLevel ? colours.headingText : colours.text;
        const Rect measured = canvas.MeasureLine(Caption(), caption);
        if (IsSelected()) {
            const int left = caption.left - m.captionGap - (children ? indent : 0);
            canvas.Fill({left, label.top, label.right, label.bottom}, colours.highlight);
            text = colours.selectedText;
        }
        if (!frame.enabled)
            text = colours.grey;
        canvas.SetTextColour(text);
        canvas.DrawLine(Caption(), {measured.left, label.top, measured.right, label.bottom}, tree::Align::Left);
    }

    // Expander box and check box, on screen.
    if (children) {
        const Rect box = tree::Offset(at.expanderBox, 0, -frame.scroll);
        const int size = at.expanderSize;
        const int middle = (size - 1) / 2;
        canvas.Box(box, colours.shadow, colours.white);
        const int inset = m.expanderInset;
        // Strokes as thick as the scale, centred on the box's middle.
        const int stroke = std::max(1, m.dpi / dpi::kBase);
        for (int k = middle - (stroke - 1) / 2, end = k + stroke; k < end; ++k) {
            canvas.Line({box.left + inset, box.top + k}, {box.left + size - inset, box.top + k}, colours.black);
            if (!IsExpanded())
                canvas.Line({box.left + k, box.top + inset}, {box.left + k, box.top + size - inset}, colours.black);
        }
    }
    if (HasCheckBox())
        canvas.CheckBox(tree::Offset(at.checkBox, 0, -frame.scroll), IsChecked());
    if (!group)
        canvas.PopClip();

    // Row separator.
    const int lastRow = rowTop + height - 1;
    if (topLevel) {
        canvas.DottedLine({indent, lastRow}, right - indent + 1, colours.shadow);
    } else if (!children || IsExpanded()) {
        const int start = (HasCheckBox() ? at.checkBox.left : caption.left) - m.separatorGap;
        canvas.DottedLine({start, lastRow}, right - start, colours.shadow);
    }

    // Divider.
    if (!group) {
        canvas.Line({divider, rowTop}, {divider, rowTop + height}, colours.shadow);
        canvas.Line({divider + 1, rowTop}, {divider + 1, rowTop + height}, colours.light);
    }

    // Column lines, and the titles on the group's own row.
    if (const CReportGroupItem* columnOwner = ColumnOwner()) {
        const auto& columns = columnOwner->Columns();
        for (size_t index = 0; index < columns.size(); ++index) {
            const int lineX = right - columns[index].leftOffset;
            canvas.Line({lineX, rowTop}, {lineX, rowTop + height}, colours.shadow);
            canvas.Line({lineX + 1, rowTop}, {lineX + 1, rowTop + height}, colours.light);
            if (group) {
                const int titleRight = index + 1 < columns.size() ? right - columns[index + 1].leftOffset : label.right;
                canvas.DrawLine(columns[index].title, {lineX + m.columnTitleGap, rowTop, titleRight, rowTop + height},
                                tree::Align::Centre);
            }
        }
    }

    // Value.
    if (!group) {
        canvas.PushClip(value);
        PaintValue(canvas, value);
        canvas.PopClip();
    }
}

Rect CReportItem::CaptionArea(const Rect& label, const tree::RowFrame& frame) const {
    Rect caption = label;
    if (HasChildren() && !IsTopLevel())
        caption.left += frame.indent - 1;
    if (HasCheckBox())
        caption = tree::Offset(caption, frame.metrics.checkBoxCaptionShift, 0);
    return caption;
}

void CReportItem::PaintGroupEnd(tree::ReportCanvas& canvas, const tree::RowFrame& frame,
                                const tree::RowLayout& at) const {
    const tree::SystemColours& colours = canvas.Colours();
    const int indent = frame.indent;
    const int rowTop = at.position.y - frame.scroll;
    const int groupBottom = rowTop + at.extent;
    // Below the top level, a band in the face colour runs from the row's last pixel row down
    // beside the children.
    if (IsExpanded() && !IsTopLevel()) {
        const int labelLeft = indent + at.position.x;
        canvas.Fill({labelLeft, rowTop + RowHeight() - 1, labelLeft + indent, groupBottom}, colours.face);
    }
    // The group's closing line on its last pixel row.
    if (tree::Intersects({indent, groupBottom - 1, frame.client.right, groupBottom}, canvas.ClipBox()))
        canvas.DottedLine({indent, groupBottom - 1}, frame.client.right - indent, colours.shadow);
}
