#include "report/ReportFill.h"

#include "Detection.h"
#include "tree/ReportTree.h"

#include <memory>

namespace report {

int StatusImageFor(int testResult) {
    switch (testResult) {
    case kTestResultIdeal: return 0;
    case kTestResultFailed: return 1;
    case kTestResultSufficient: return 0;
    case kTestResultUndetected: return 3;
    default: return -1;
    }
}

void FillReportTree(CReportTree& tree, const std::vector<DetectedItem>& items, const TextLookup& texts) {
    auto* group = static_cast<CReportGroupItem*>(tree.AddItem(std::make_unique<CReportGroupItem>()));
    group->SetCaption(texts(L"IDS_REQUIREMENT"));
    group->SetHint(texts(L"IDS_REQUIREMENT_DESCRIPTION"));
    group->AddColumn(texts(L"IDS_MINIMUM"));
    group->Expand(true);

    for (const DetectedItem& detected : items) {
        auto owned = std::make_unique<CReportTextItem>();
        CReportTextItem* item = owned.get();
        tree.AddItem(std::move(owned), group);
        item->SetCaption(detected.caption);
        item->SetHint(detected.hint);
        item->SetReadOnly(true);
        item->Show(true);
        item->SetValueData(&detected.value);
        if (const wchar_t* verdict = StatusKey(detected.result))
            item->SetDescription(texts(verdict));
        const int image = StatusImageFor(detected.result);
        if (image >= 0 && !group->Columns().empty())
            item->AddStatusImage(group->Columns().front().centreOffset, image);
    }
}

} // namespace report
