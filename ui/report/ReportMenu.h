// The report's context menu: Copy report and Save report…, shown at a point of the screen.
#pragma once

#include "texts/TextLookup.h"

#include <windows.h>

namespace report {

enum class MenuChoice { None, Copy, Save };

// Shows the menu over `owner` and returns what the player chose.
MenuChoice ChooseFromReportMenu(HWND owner, POINT screenPoint, const TextLookup& texts);

// The menu's keys: Ctrl+C copies and Ctrl+S saves the report shown in `report` while a key goes
// to it or to a window inside it; None for any other message.
MenuChoice ShortcutOf(const MSG& msg, HWND report);

} // namespace report
