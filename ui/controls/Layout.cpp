#include "controls/Layout.h"

namespace ctl {

SiblingRect SiblingsOf(LayoutTarget& target) {
    return [&target](int id) { return target.Get(id); };
}

void Layout::Add(const LayoutRow& row, const Rect& parent, LayoutTarget& target) {
    rows_.push_back({row, MeasureAnchors(row.anchors, target.Get(row.control), parent, SiblingsOf(target))});
}

bool Layout::Remeasure(int control, const Rect& parent, LayoutTarget& target) {
    for (Entry& entry : rows_)
        if (entry.row.control == control) {
            entry.distances = MeasureAnchors(entry.row.anchors, target.Get(control), parent, SiblingsOf(target));
            return true;
        }
    return false;
}

void Layout::RemeasureAll(const Rect& parent, LayoutTarget& target) {
    for (Entry& entry : rows_)
        entry.distances = MeasureAnchors(entry.row.anchors, target.Get(entry.row.control), parent, SiblingsOf(target));
}

void Layout::Apply(const Rect& parent, LayoutTarget& target) const {
    const SiblingRect sibling = SiblingsOf(target);
    for (const Entry& entry : rows_)
        target.Move(entry.row.control, ApplyAnchors(entry.row.anchors, entry.distances, parent, sibling));
}

} // namespace ctl
