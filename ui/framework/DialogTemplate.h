// A dialog template (DLGTEMPLATEEX, the form the resource compiler writes for DIALOGEX) read as
// the dialog manager reads it: the dialog's size and each control's place, in dialog units.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fw {

struct TemplateControl {
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    RECT box{};             // dialog units
    std::wstring className; // predefined classes by name ("Button", "Static", ...)
    std::wstring text;
    int resourceOrdinal = -1; // text given as a resource number (icons and bitmaps of statics)
};

struct DialogTemplate {
    bool valid = false;
    DWORD style = 0;
    int cx = 0, cy = 0;
    std::vector<TemplateControl> controls;

    // The first control with that id, or null.
    const TemplateControl* Find(int id) const;
};

// Template `id` of the module; not valid when there is none or it is not of the extended form.
DialogTemplate LoadDialogTemplate(HMODULE module, UINT id);

// A box in dialog units in pixels with these base units, as the dialog manager places a control:
// its left and top, its width and height, each from its own dialog units.
RECT DialogUnitsToPixels(const RECT& box, SIZE baseUnits);

} // namespace fw
