#include "tree/ReportTreeModel.h"

#include <algorithm>
#include <climits>

namespace tree {

namespace {

// Virtual-key codes the list answers (the Windows values).
constexpr unsigned kKeyEnter = 0x0D;
constexpr unsigned kKeyEnd = 0x23;
constexpr unsigned kKeyHome = 0x24;
constexpr unsigned kKeyLeft = 0x25;
constexpr unsigned kKeyUp = 0x26;
constexpr unsigned kKeyRight = 0x27;
constexpr unsigned kKeyDown = 0x28;
constexpr unsigned kKeyF2 = 0x71;
constexpr unsigned kKeyF4 = 0x73;

bool Inside(const Rect& r, Point p) {
    // The boxes are drawn with their right and bottom edges, so those count as inside.
    return !IsEmpty(r) && p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// Pre-order successor below `root` (the root itself excluded from the walk).
CReportItem* NextPreOrder(CReportItem* item) {
    if (item->FirstChild())
        return item->FirstChild();
    while (item) {
        if (item->NextSibling())
            return item->NextSibling();
        item = item->Parent();
        if (item && !item->Parent())
            return nullptr;
    }
    return nullptr;
}

template <typename F>
void ForEachItem(CReportItem& root, F f) {
    for (CReportItem* item = root.FirstChild(); item; item = NextPreOrder(item))
        f(*item);
}

} // namespace

ReportTreeModel::ReportTreeModel(ReportTreeHost& host) : host_(host), root_(std::make_unique<CReportItem>()) {
    root_->owner_ = this;
    root_->Expand(true);
}

ReportTreeModel::~ReportTreeModel() = default;

CReportItem* ReportTreeModel::AddItem(std::unique_ptr<CReportItem> owned, CReportItem* parent) {
    if (!owned)
        return nullptr;
    CReportItem* item = owned.get();
    if (!parent)
        parent = root_.get();
    if (parent->lastChild_)
        parent->lastChild_->nextSibling_ = item;
    else
        parent->firstChild_ = item;
    parent->lastChild_ = item;
    item->parent_ = parent;
    item->owner_ = this;
    item->id_ = nextId_++;
    items_.emplace(item->id_, std::move(owned));
    InvalidateLayout();
    item = NotifyAbout(RTN_ITEMADDED, item);
    if (host_.WindowExists()) {
        host_.RepaintContainer();
        host_.RecomputeScrollBar();
        host_.RepaintList();
    }
    return item;
}

void ReportTreeModel::Unlink(CReportItem* item) {
    CReportItem* parent = item->parent_;
    if (!parent)
        return;
    CReportItem* previous = nullptr;
    if (parent->firstChild_ == item) {
        parent->firstChild_ = item->nextSibling_;
    } else {
        for (CReportItem* sibling = parent->firstChild_; sibling; sibling = sibling->nextSibling_)
            if (sibling->nextSibling_ == item) {
                previous = sibling;
                sibling->nextSibling_ = item->nextSibling_;
                break;
            }
    }
    if (parent->lastChild_ == item)
        parent->lastChild_ = previous;
    item->nextSibling_ = nullptr;
}

// True when the item is gone.
bool ReportTreeModel::RemoveSubtree(CReportItem* item) {
    const bool isRoot = item == root_.get();
    if (!isRoot && host_.Notify(RTN_ITEMREMOVING, item) != 0)
        return false;
    for (CReportItem* child = item->firstChild_; child;) {
        CReportItem* next = child->nextSibling_;
        RemoveSubtree(child);
        if (host_.WindowExists()) {
            host_.RepaintContainer();
            host_.RecomputeScrollBar();
            host_.RepaintList();
        }
        child = next;
    }
    if (isRoot)
        return false;
    // A child that vetoed its removal still hangs below: deleting its parent would leave it
    // linked to freed memory, so the parent stays as well.
    if (item->firstChild_)
        return false;
    Unlink(item);
    if (selected_ == item) {
        selected_ = nullptr;
        if (host_.WindowExists())
            host_.RepaintContainer();
    }
    InvalidateLayout(); // before the delete: the chain must not lead to a dead item
    layouts_.erase(item);
    items_.erase(item->id_);
    return true;
}

void ReportTreeModel::RemoveItem(CReportItem* item) { RemoveSubtree(item ? item : root_.get()); }

void ReportTreeModel::RemoveAllItems() {
    RemoveSubtree(root_.get());
    if (host_.WindowExists()) {
        host_.RepaintContainer();
        host_.RecomputeScrollBar();
    }
    if (items_.empty())
        nextId_ = 1;
}

CReportItem* ReportTreeModel::ItemFromId(int id) const {
    const auto found = items_.find(id);
    return found != items_.end() ? found->second.get() : nullptr;
}

CReportItem* ReportTreeModel::NotifyAbout(int code, CReportItem* item, bool* vetoed) {
    const int id = item->id_;
    const bool refused = host_.Notify(code, item) != 0;
    if (vetoed)
        *vetoed = refused;
    return ItemFromId(id);
}

void ReportTreeModel::SelectItem(CReportItem* item) {
    selected_ = item;
    ScrollToItem(item);
    host_.RepaintContainer();
}

void ReportTreeModel::ScrollToItem(CReportItem* item) {
    if (!item)
        return;
    if (!OnVisibleChain(item)) {
        for (CReportItem* ancestor = item->parent_; ancestor; ancestor = ancestor->parent_)
            ancestor->Expand(true);
        host_.RepaintContainer();
        host_.RecomputeScrollBar();
        host_.RepaintList();
        host_.UpdateListNow();
    }
    const Rect client = host_.ListClientRect();
    const int height = item->RowHeight();
    const Rect view{client.left, client.top + scroll_, client.right, client.bottom + scroll_ - height};
    const Point at = item->Position();
    if (at.x >= view.left && at.x < view.right && at.y >= view.top && at.y < view.bottom)
        return;
    const int clientHeight = client.bottom - client.top;
    if (at.y < view.top)
        host_.ScrollListTo(at.y);
    else
        host_.ScrollListTo(at.y + 2 * height - clientHeight);
}

CReportItem* ReportTreeModel::ItemAtPoint(Point point) const {
    const int y = point.y + scroll_;
    const std::vector<CReportItem*>& rows = Rows();
    // The rows follow each other down the document: the first one ending below y is the only
    // one that can hold it.
    const auto found = std::partition_point(rows.begin(), rows.end(), [&](const CReportItem* row) {
        return StoredLayout(*row).position.y + row->RowHeight() <= y;
    });
    return found != rows.end() && StoredLayout(**found).position.y <= y ? *found : nullptr;
}

int ReportTreeModel::HitTestPoint(Point point) const {
    const CReportItem* item = ItemAtPoint(point);
    if (!item)
        return kHitNowhere;
    const int half = metrics_.dividerHalfWidth;
    if (!item->IsTopLevel() && divider_ - half <= point.x && point.x <= divider_ + half)
        return kHitDivider;
    if (point.x > divider_ + half)
        return kHitValue;
    const Point document{point.x, point.y + scroll_};
    const RowLayout& at = StoredLayout(*item);
    if (Inside(at.expanderBox, document))
        return kHitExpander;
    if (Inside(at.checkBox, document))
        return kHitCheckBox;
    return kHitLabel;
}

void ReportTreeModel::SetDividerPosition(int x) {
    const Rect client = host_.ListClientRect();
    // The tightest column block of any group limits how far right the divider may go.
    bool haveBase = false;
    int base = INT_MAX;
    for (CReportItem* item = root_->firstChild_; item;) {
        if (item->IsGroup()) {
            const int value = client.right - static_cast<CReportGroupItem*>(item)->ColumnBlockWidth();
            base = std::min(base, value);
            haveBase = true;
        }
        item = item->nextSibling_ ? item->nextSibling_ : item->firstChild_;
    }
    const int wanted = std::max(x, metrics_.dividerMinimum);
    if (IsEmpty(client)) {
        divider_ = wanted;
    } else {
        const int limit = haveBase && base > 0 ? base - metrics_.dividerMargin - metrics_.dividerLimitGap
                                               : (client.right - client.left) - metrics_.dividerMinimum;
        divider_ = wanted < limit ? wanted : limit;
    }
    host_.RepaintContainer();
}

void ReportTreeModel::SetMetrics(const TreeMetrics& metrics) {
    // The divider keeps its place on the rows, at the new scale.
    if (metrics_.dpi > 0 && metrics.dpi != metrics_.dpi)
        divider_ = static_cast<int>(static_cast<long long>(divider_) * metrics.dpi / metrics_.dpi);
    metrics_ = metrics;
    InvalidateLayout();
}

void ReportTreeModel::InvalidateLayout() {
    ClearVisibleChain();
    layoutValid_ = false;
}

void ReportTreeModel::ClearVisibleChain() const {
    for (CReportItem* row : rows_)
        layouts_[row].nextVisible = nullptr;
    rows_.clear();
}

void ReportTreeModel::EnsureLayout() const {
    const LayoutInputs inputs{host_.ListClientRect(), divider_, host_.HasImageList(), metrics_.dpi};
    if (layoutValid_ && inputs == laidOutFor_)
        return;
    ClearVisibleChain();
    laidOutFor_ = inputs;
    layoutValid_ = true;
    int y = 0;
    for (CReportItem* item = root_->firstChild_; item; item = item->nextSibling_)
        if (item->IsShown())
            y += LayOut(*item, inputs, 0, y);
}

int ReportTreeModel::LayOut(CReportItem& item, const LayoutInputs& inputs, int x, int y) const {
    if (!rows_.empty())
        layouts_[rows_.back()].nextVisible = &item;
    rows_.push_back(&item);
    RowLayout& at = layouts_[&item];

    const int height = item.RowHeight();
    const int right = inputs.client.right;
    const TreeMetrics& m = metrics_;
    const int size = ExpanderSize(m.indent);
    const bool topLevel = item.IsTopLevel();
    at.expanderSize = size;
    at.position = {x, y};

    // A row showing status images keeps its value clear of the column block.
    int valueRight = right - 1;
    if (inputs.images && !item.statusImages_.empty()) {
        const CReportGroupItem* columnOwner = item.ColumnOwner();
        valueRight = right - (columnOwner ? columnOwner->ColumnBlockWidth() : 0);
    }
    at.valueArea = {inputs.divider + m.dividerHalfWidth, y, valueRight, y + height - 1};

    const int labelLeft = m.indent + x;
    const int boxTop = y + (height / 2 - size / 2 - m.expanderRaise);
    at.expanderBox = {};
    if (item.HasChildren()) {
        const int left = m.indent / 2 - size / 2 + (topLevel ? 1 : labelLeft);
        at.expanderBox = {left, boxTop, left + size, boxTop + size};
    }
    at.checkBox = {};
    if (item.HasCheckBox()) {
        const int left = labelLeft + m.checkBoxOffset;
        at.checkBox = {left, boxTop, left + m.checkBoxSide, boxTop + m.checkBoxSide};
    }

    int extent = height;
    if (item.HasChildren() && item.IsExpanded())
        for (CReportItem* child = item.firstChild_; child; child = child->nextSibling_)
            if (child->IsShown())
                extent += LayOut(*child, inputs, topLevel ? x : x + m.childIndent, y + extent);
    at.extent = extent;
    return extent;
}

const RowLayout& ReportTreeModel::LayoutOf(const CReportItem& item) const {
    EnsureLayout();
    return StoredLayout(item);
}

const RowLayout& ReportTreeModel::StoredLayout(const CReportItem& item) const {
    static const RowLayout kNotLaidOut{};
    const auto found = layouts_.find(&item);
    return found == layouts_.end() ? kNotLaidOut : found->second;
}

const std::vector<CReportItem*>& ReportTreeModel::Rows() const {
    EnsureLayout();
    return rows_;
}

CReportItem* ReportTreeModel::VisibleChain() const {
    const std::vector<CReportItem*>& rows = Rows();
    return rows.empty() ? nullptr : rows.front();
}

bool ReportTreeModel::OnVisibleChain(const CReportItem* item) const {
    const std::vector<CReportItem*>& rows = Rows();
    return std::find(rows.begin(), rows.end(), item) != rows.end();
}

void ReportTreeModel::SetAllSelectedFlags(bool on) {
    ForEachItem(*root_, [on](CReportItem& item) { item.Select(on); });
}

void ReportTreeModel::LayoutChangedAll() {
    ForEachItem(*root_, [](CReportItem& item) { item.OnLayoutChanged(); });
}

void ReportTreeModel::RemeasureColumns() {
    ForEachItem(*root_, [](CReportItem& item) {
        if (item.IsGroup())
            static_cast<CReportGroupItem&>(item).RemeasureColumns();
    });
    InvalidateLayout();
}

void ReportTreeModel::Reload(CReportItem* item) {
    if (!item)
        return;
    item->OnReload();
    for (CReportItem* d = item->FirstChild(); d; d = NextPreOrder(d)) {
        // Stop at the end of this item's subtree.
        const CReportItem* a = d;
        while (a && a != item)
            a = a->Parent();
        if (!a)
            break;
        d->OnReload();
    }
    host_.RepaintContainer();
}

void ReportTreeModel::ChangeSelection(CReportItem* item) {
    CReportItem* old = selected_;
    SelectItem(item);
    SetAllSelectedFlags(false);
    if (item)
        item->Select(true);
    host_.RepaintList();
    if (item != old) {
        host_.ItemChanged(ItemChange::Selection, item);
        host_.Notify(RTN_SELCHANGED, item);
    }
}

void ReportTreeModel::SelectFirst() { ChangeSelection(VisibleChain()); }

void ReportTreeModel::SelectLast() {
    const std::vector<CReportItem*>& rows = Rows();
    if (!rows.empty())
        ChangeSelection(rows.back());
}

void ReportTreeModel::SelectPrevious() { SelectBeside(-1); }

void ReportTreeModel::SelectNext() { SelectBeside(1); }

// The row `step` rows from the selection; without a selection, the last row going up and the
// first going down. Nothing moves past either end.
void ReportTreeModel::SelectBeside(int step) {
    const std::vector<CReportItem*>& rows = Rows();
    if (rows.empty())
        return;
    if (!selected_) {
        ChangeSelection(step < 0 ? rows.back() : rows.front());
        return;
    }
    const auto at = std::find(rows.begin(), rows.end(), selected_);
    if (at == rows.end())
        return;
    const auto index = (at - rows.begin()) + step;
    if (index >= 0 && index < static_cast<std::ptrdiff_t>(rows.size()))
        ChangeSelection(rows[static_cast<size_t>(index)]);
}

void ReportTreeModel::ValidateSelection() {
    if (!selected_ || OnVisibleChain(selected_))
        return;
    selected_->Select(false);
    selected_ = nullptr;
    host_.ItemChanged(ItemChange::Selection, nullptr);
    host_.Notify(RTN_SELCHANGED, nullptr);
    host_.RepaintList();
}

bool ReportTreeModel::ToggleExpansion(CReportItem* item) {
    bool vetoed = false;
    item = NotifyAbout(RTN_ITEMEXPANDING, item, &vetoed);
    if (vetoed || !item)
        return false;
    item->Expand(!item->IsExpanded());
    host_.ItemChanged(ItemChange::Expansion, item);
    host_.RecomputeScrollBar();
    host_.RepaintList();
    host_.UpdateListNow();
    ValidateSelection();
    return true;
}

CReportItem* ReportTreeModel::SelectAndNotify(CReportItem* item) {
    CReportItem* old = selected_;
    SetAllSelectedFlags(false);
    SelectItem(item);
    item->Select(true);
    host_.RepaintList();
    if (item == old)
        return item;
    host_.ItemChanged(ItemChange::Selection, item);
    return NotifyAbout(RTN_SELCHANGED, item);
}

ClickResult ReportTreeModel::Click(Point point) {
    if (inputLocked_)
        return ClickResult::None;
    host_.Notify(RTN_CLICK, kAllItems);
    if (!host_.IsEnabled())
        return ClickResult::None;
    host_.FocusList();
    const int hit = HitTestPoint(point);
    CReportItem* item = ItemAtPoint(point);
    switch (hit) {
    case kHitDivider: return host_.Notify(RTN_DIVIDERDRAG, nullptr) != 0 ? ClickResult::None : ClickResult::StartDrag;
    case kHitExpander:
        if (item && item->HasChildren())
            ToggleExpansion(item);
        return ClickResult::None;
    case kHitCheckBox:
        if (item) {
            item->Check(!item->IsChecked());
            host_.Notify(RTN_CHECKCHANGED, item);
        }
        return ClickResult::None;
    default: break;
    }
    if (!item) {
        SetAllSelectedFlags(false);
        selected_ = nullptr;
        host_.ItemChanged(ItemChange::Selection, nullptr);
        host_.Notify(RTN_SELCHANGED, nullptr);
        host_.RepaintList();
        return ClickResult::None;
    }
    item = SelectAndNotify(item);
    if (!item || hit != kHitValue || item->IsTopLevel())
        return ClickResult::None;
    bool vetoed = false;
    item = NotifyAbout(RTN_ITEMACTIVATE, item, &vetoed);
    if (!vetoed && item && !item->IsReadOnly())
        item->Activate();
    return ClickResult::None;
}

void ReportTreeModel::DoubleClick(Point point) {
    CReportItem* item = ItemAtPoint(point);
    if (!item || !item->HasChildren())
        return;
    switch (HitTestPoint(point)) {
    case kHitDivider: return;
    case kHitCheckBox:
        item->Check(!item->IsChecked());
        host_.Notify(RTN_CHECKCHANGED, item);
        host_.RepaintList();
        return;
    case kHitExpander: break;
    default: item = SelectAndNotify(item); break;
    }
    if (item)
        ToggleExpansion(item);
}

bool ReportTreeModel::Key(unsigned key) {
    if (inputLocked_ || !host_.IsEnabled())
        return true;
    CReportItem* s = selected_;
    switch (key) {
    case kKeyEnter:
    case kKeyF2:
    case kKeyF4:
        if (s && !s->IsTopLevel() && !s->IsReadOnly())
            s->Activate();
        return true;
    case kKeyEnd: SelectLast(); return true;
    case kKeyHome: SelectFirst(); return true;
    case kKeyUp: SelectPrevious(); return true;
    case kKeyDown: SelectNext(); return true;
    case kKeyLeft:
    case kKeyRight: {
        if (!s)
            return true;
        const bool left = key == kKeyLeft;
        bool vetoed = false;
        s = NotifyAbout(RTN_ITEMEXPANDING, s, &vetoed);
        if (!s)
            return true;
        if (!vetoed && s->HasChildren() && s->IsExpanded() == left) {
            s->Expand(!left);
            host_.ItemChanged(ItemChange::Expansion, s);
            host_.RecomputeScrollBar();
            host_.RepaintList();
            host_.UpdateListNow();
            ValidateSelection();
        } else if (left) {
            SelectPrevious();
        } else {
            SelectNext();
        }
        return true;
    }
    default: return false;
    }
}

void ReportTreeModel::RepaintRows(const Rect& rect) {
    if (host_.WindowExists())
        host_.InvalidateListRect(rect);
}

} // namespace tree
