// The report's context menu: Copy report and Save report…, shown at a point of the screen.
#pragma once

#include "texts/TextLookup.h"

#include <windows.h>

namespace report {

enum class MenuChoice { None, Copy, Save };

// Shows the menu over `owner` and returns what the player chose.
MenuChoice ChooseFromReportMenu(HWND owner, POINT screenPoint, const TextLookup& texts);

} // namespace report
