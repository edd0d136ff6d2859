#include "report/ReportFill.h"

#include "Detection.h"
#include "ResourceIds.h"
#include "controls/Glyphs.h"
#include "controls/ScaledArt.h"
#include "framework/Window.h"
#include "tree/ReportTree.h"
#include "tree/ReportTreePane.h"

#include <iterator>
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

std::unique_ptr<CReportTree> MakeReportTree(HWND placeholder, int controlId, const fw::Resources& resources,
                                            const std::vector<DetectedItem>& items, const TextLookup& texts) {
    if (!placeholder)
        return nullptr;
    auto tree = std::make_unique<CReportTree>();
    const RECT frame = fw::ChildRect(GetParent(placeholder), placeholder);
    const RECT rect{0, 0, frame.right - frame.left, frame.bottom - frame.top};
    // A tab stop, so that the keyboard reaches the rows; the placeholder is a control parent.
    tree->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, placeholder, controlId);
    tree->Pane().SetNoSelectionTexts(resources.String(IDS_PANE_TITLE_NO_SELECTION),
                                     resources.String(IDS_PANE_TEXT_NO_SELECTION));
    LoadStatusImages(*tree, resources);
    FillReportTree(*tree, items, texts);
    // Where the captions of the player's language need more than the tree's 30 %.
    tree->FitDividerToCaptions();
    return tree;
}

// At the tree's scale: the rows are as high as the scale, and so are their images. In a contrast
// theme they are glyphs in the rows' text colour.
void LoadStatusImages(CReportTree& tree, const fw::Resources& resources) {
    // In the order of the image strip: passed, failed, spare and not detected.
    static constexpr art::Glyph kStatusGlyphs[] = {art::Glyph::Check, art::Glyph::Cross, art::Glyph::Exclamation,
                                                   art::Glyph::Dash};
    static_assert(std::size(kStatusGlyphs) == STATUS_IMAGE_COUNT);
    fw::ImageList images;
    const fw::Appearance& look = tree.Look();
    if (look.highContrast ? art::LoadGlyphStrip(images, kStatusGlyphs, STATUS_IMAGE_WIDTH, look.dpi,
                                                GetSysColor(COLOR_WINDOWTEXT))
                          : art::LoadImageStrip(images, resources, IDB_STATUS_IMAGES,
                                                SIZE{STATUS_IMAGE_WIDTH, STATUS_IMAGE_WIDTH}, STATUS_IMAGE_COUNT,
                                                look.dpi, RGB(255, 255, 255)))
        tree.SetNodeImages(std::move(images));
}

} // namespace report
