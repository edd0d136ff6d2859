// The report as plain text, for the clipboard and for the report file: what players paste into
// support tickets. Built from the detection results themselves, so a run that shows no window
// (/Report) and the report's window give the same text.
#pragma once

#include "Detection.h"
#include "texts/TextLookup.h"

#include <string>
#include <vector>

namespace report {

// One detected item as the report shows it, its texts cut as the report's rows hold them:
// caption and hint 255 characters, value 1023.
struct DetectedItem {
    std::wstring caption;
    std::wstring hint;
    std::wstring value;
    int result = kTestResultInfo;
};

DetectedItem ReadDetectedItem(const Information& information);
// The library's list in its order; null entries are left out.
std::vector<DetectedItem> ReadDetectedItems(const std::vector<Information*>& informations);

// The key of the verdict text of an overall result (0 ideal, 1 failed, 2 sufficient); null for
// any other value.
const wchar_t* VerdictKey(int overallResult);
// The key of the words for an item's result (0, 1, 2 and 4); null for information (3) and
// unknown values, which the report leaves without words.
const wchar_t* StatusKey(int result);

// The verdict, a blank line, the requirements heading (IDS_REQUIREMENT), then one line per item:
// "name: value - status - description", empty parts left out. Line breaks inside a text become
// blanks. CRLF line ends, as the clipboard's text format expects.
std::wstring BuildReportText(const std::wstring& verdict, const std::vector<DetectedItem>& items,
                             const TextLookup& texts);

} // namespace report
