#include "sheet/SheetKeys.h"

namespace sheet {

namespace {
constexpr unsigned kKeyTab = 0x09;
constexpr unsigned kKeyEscape = 0x1B;
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kDefault = 12321;
} // namespace

SheetKey ClassifySheetKey(unsigned virtualKey, bool controlDown, bool dropDownOpen) {
    if (virtualKey == kKeyEscape)
        return dropDownOpen ? SheetKey::PassOn : SheetKey::Cancel;
    if (virtualKey == kKeyTab && !controlDown)
        return SheetKey::MarkThenPassOn;
    return SheetKey::PassOn;
}

int DefaultButtonAfterTab(int focusedId) {
    return focusedId == kOk || focusedId == kCancel || focusedId == kDefault ? focusedId : kOk;
}

} // namespace sheet
