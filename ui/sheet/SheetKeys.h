// What the settings sheet does with a key before the dialog manager sees it, and which button
// Enter presses after a Tab.
#pragma once

namespace sheet {

enum class SheetKey {
    PassOn,         // to the dialog manager (Enter: the default button, or a list that wants it)
    Cancel,         // the sheet's Cancel
    MarkThenPassOn, // mark the focused button, then let the dialog manager move the focus
};

// Escape is Cancel wherever the focus is, except while a drop-down list is open: that Escape
// closes the list, as everywhere in Windows. Tab moves the focus marks; Ctrl+Tab changes the
// page and leaves them. Every other key, Enter included, goes on.
SheetKey ClassifySheetKey(unsigned virtualKey, bool controlDown, bool dropDownOpen);

// The button Enter presses after a Tab from the control with this id: that button when it is
// Default, OK or Cancel, otherwise OK, so that Enter saves wherever the focus went.
int DefaultButtonAfterTab(int focusedId);

} // namespace sheet
