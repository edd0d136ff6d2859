#include "tree/RowPainting.h"

#include "tree/ReportTreeModel.h"

#include <algorithm>
#include <vector>

using tree::Rect;

namespace {

tree::RowFrame FrameOf(const tree::ReportTreeModel& tree) {
    return tree::RowFrame{tree.Metrics(),
                          tree.IndentWidth(),
                          tree.Divider(),
                          tree.ScrollPosition(),
                          tree.Host().ListClientRect(),
                          tree.Host().IsEnabled(),
                          tree.Host().HasImageList()};
}

} // namespace

int WidestCaptionRight(const tree::ReportTreeModel& tree, const std::function<int(const std::wstring&)>& captionWidth) {
    const tree::RowFrame frame = FrameOf(tree);
    int widest = 0;
    for (const CReportItem* row : tree.Rows()) {
        if (row->IsGroup() || row->Caption().empty())
            continue;
        const Rect caption =
            row->CaptionArea({frame.indent + tree.StoredLayout(*row).position.x, 0, frame.divider, 1}, frame);
        widest = std::max(widest, caption.left + frame.metrics.captionGap + captionWidth(row->Caption()));
    }
    return widest;
}

void PaintItems(const tree::ReportTreeModel& tree, tree::ReportCanvas& canvas) {
    const std::vector<CReportItem*>& rows = tree.Rows();
    const tree::RowFrame frame = FrameOf(tree);
    const Rect clip = canvas.ClipBox();
    // A row spans the client's width and one pixel more.
    if (clip.left >= frame.client.right + 1 || clip.right <= frame.client.left)
        return;
    auto row = std::partition_point(rows.begin(), rows.end(), [&](const CReportItem* item) {
        return tree.StoredLayout(*item).position.y - frame.scroll + item->RowHeight() <= clip.top;
    });
    if (row == rows.end())
        return;

    // A group's end is drawn over its descendants' rows after the last of them, innermost group
    // first. The groups around the first row in view are open from the start.
    std::vector<const CReportItem*> open;
    for (const CReportItem* ancestor = (*row)->parent_; ancestor && ancestor->parent_; ancestor = ancestor->parent_)
        open.push_back(ancestor);
    std::reverse(open.begin(), open.end());
    for (; row != rows.end() && tree.StoredLayout(**row).position.y - frame.scroll < clip.bottom; ++row) {
        const CReportItem& item = **row;
        const tree::RowLayout& at = tree.StoredLayout(item);
        item.PaintItem(canvas, frame, at);
        if (item.HasChildren())
            open.push_back(&item);
        const int rowBottom = at.position.y + item.RowHeight();
        while (!open.empty()) {
            const tree::RowLayout& group = tree.StoredLayout(*open.back());
            if (group.position.y + group.extent > rowBottom)
                break;
            open.back()->PaintGroupEnd(canvas, frame, group);
            open.pop_back();
        }
    }
    // Groups that run on below the clip end over the rows painted here all the same.
    for (auto group = open.rbegin(); group != open.rend(); ++group)
        (*group)->PaintGroupEnd(canvas, frame, tree.StoredLayout(**group));
}
