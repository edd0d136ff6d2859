#include "sheet/SheetKeys.h"

#include "ResourceIds.h"

namespace sheet {

namespace {
constexpr unsigned kKeyTab = 0x09;
constexpr unsigned kKeyEscape = 0x1B;
} // namespace

SheetKey ClassifySheetKey(unsigned virtualKey, bool controlDown, bool dropDownOpen) {
    if (virtualKey == kKeyEscape)
        return dropDownOpen ? SheetKey::PassOn : SheetKey::Cancel;
    if (virtualKey == kKeyTab && !controlDown)
        return SheetKey::MarkThenPassOn;
    return SheetKey::PassOn;
}

int DefaultButtonAfterTab(int focusedId) {
    return focusedId == IDC_SHEET_OK || focusedId == IDC_SHEET_CANCEL || focusedId == IDC_SHEET_DEFAULT ? focusedId : IDC_SHEET_OK;
}

} // namespace sheet
