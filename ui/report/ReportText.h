// The report as plain text, for the clipboard: what players paste into support tickets.
#pragma once

#include "report/ReportItem.h"

#include <functional>
#include <string>

namespace report {

// The words for a detected item's result (0 ideal, 1 failed, 2 sufficient, 3 information,
// 4 not detected); empty for none.
using StatusText = std::function<std::wstring(int result)>;

// The verdict, a blank line, then every item below the root in tree order: a group as a heading
// line, any other item as "name: value - status - description" (empty parts left out). CRLF
// line ends, as the clipboard's text format expects.
std::wstring BuildReportText(const CReportItem& root, const std::wstring& verdict, const StatusText& status);

} // namespace report
