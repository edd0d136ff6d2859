// The system check as a file, for a support desk: a header that says which program, which game
// and when, then the report's text (ReportText.h). UTF-8 with a byte-order mark and CRLF line
// ends, so that every editor on Windows opens it right. Plain code; writing the file is
// win32/FileWrite.h's.
#pragma once

#include "report/ReportText.h"

#include <string>

namespace report {

// The name the save dialog offers.
inline constexpr wchar_t kReportFileName[] = L"Tarnholm system check.txt";

// Local date and time, and the local time's distance from UTC.
struct ReportTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    int utcOffsetMinutes = 0; // east of Greenwich positive
};

struct ReportFileHeader {
    std::wstring programVersion; // the launcher's four-part version
    std::wstring gameVersion;    // as the installer recorded it; empty when it did not
    std::wstring gameFolder;     // as the installer recorded it; empty when it did not
    ReportTime time;
};

// "2024-05-01 14:03:22 UTC+02:00" (ISO 8601 date and time, whatever the language).
std::wstring FormatReportTime(const ReportTime& time);

// The title (IDS_REPORT_TITLE), one "label: value" line each for the launcher's version, the
// game's version and folder (IDS_REPORT_NOT_RECORDED for what the installer did not record)
// and the date and time, a blank line, then the report's text.
std::wstring BuildReportFileText(const ReportFileHeader& header, const std::wstring& reportText,
                                 const TextLookup& texts);

// The bytes of the file: a UTF-8 byte-order mark, then the text in UTF-8 with every line end
// (CR LF, a lone CR or a lone LF) written as CR LF and the last line ended too. A wide
// character that is no Unicode scalar value (a lone surrogate) is written as U+FFFD.
std::string EncodeReportFile(const std::wstring& text);

// The key of the reason given for a system error code when the file could not be written
// (missing folder, no access, file in use, disk full); null when the system's own message
// should be given instead.
const wchar_t* WriteFailureReasonKey(unsigned long error);

// What the player is told when the file could not be written: the lead-in
// (IDS_REPORT_NOT_SAVED), the file, a blank line and the reason.
std::wstring ReportNotSavedMessage(const std::wstring& file, const std::wstring& reason, const TextLookup& texts);

} // namespace report
