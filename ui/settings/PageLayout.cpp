#include "settings/PageLayout.h"

namespace sheet {

std::vector<AnchorDistances> MeasureLayout(std::span<const LayoutRow> rows, const ctl::Rect& page,
                                           LayoutTarget& target) {
    const ctl::SiblingRect sibling = [&target](int id) { return target.Get(id); };
    std::vector<AnchorDistances> distances;
    distances.reserve(rows.size());
    for (const LayoutRow& row : rows)
        distances.push_back(ctl::MeasureAnchors(row.anchors, target.Get(row.control), page, sibling));
    return distances;
}

void ApplyLayout(std::span<const LayoutRow> rows, const std::vector<AnchorDistances>& distances, const ctl::Rect& page,
                 LayoutTarget& target) {
    const ctl::SiblingRect sibling = [&target](int id) { return target.Get(id); };
    for (std::size_t i = 0; i < rows.size() && i < distances.size(); ++i)
        target.Move(rows[i].control, ctl::ApplyAnchors(rows[i].anchors, distances[i], page, sibling));
}

} // namespace sheet
