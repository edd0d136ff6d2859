#include "report/ReportFile.h"

#include <cstdint>
#include <cstdlib>

namespace report {

namespace {

std::wstring TwoDigits(int value) {
    value = std::abs(value) % 100;
    return std::wstring(1, static_cast<wchar_t>(L'0' + value / 10)) + static_cast<wchar_t>(L'0' + value % 10);
}

std::wstring Year(int year) {
    std::wstring text = std::to_wstring(year < 0 ? 0 : year);
    return std::wstring(text.size() < 4 ? 4 - text.size() : 0, L'0') + text;
}

// A header value on one line: a folder name cannot break the header's layout.
std::wstring OneLine(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n' || c == L'\t')
            c = L' ';
    return text;
}

std::wstring Line(const TextLookup& texts, const wchar_t* key, const std::wstring& value) {
    return OneLine(texts(key)) + L": " + OneLine(value) + L"\r\n";
}

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr std::uint32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

} // namespace

std::wstring FormatReportTime(const ReportTime& t) {
    const int offset = t.utcOffsetMinutes;
    return Year(t.year) + L"-" + TwoDigits(t.month) + L"-" + TwoDigits(t.day) + L" " + TwoDigits(t.hour) + L":" +
           TwoDigits(t.minute) + L":" + TwoDigits(t.second) + L" UTC" + (offset < 0 ? L"-" : L"+") +
           TwoDigits(std::abs(offset) / 60) + L":" + TwoDigits(std::abs(offset) % 60);
}

std::wstring BuildReportFileText(const ReportFileHeader& header, const std::wstring& reportText,
                                 const TextLookup& texts) {
    const auto recorded = [&texts](const std::wstring& value) {
        return value.empty() ? texts(L"IDS_REPORT_NOT_RECORDED") : value;
    };
    return OneLine(texts(L"IDS_REPORT_TITLE")) + L"\r\n" +
           Line(texts, L"IDS_REPORT_PROGRAM_VERSION", header.programVersion) +
           Line(texts, L"IDS_REPORT_GAME_VERSION", recorded(header.gameVersion)) +
           Line(texts, L"IDS_REPORT_GAME_FOLDER", recorded(header.gameFolder)) +
           Line(texts, L"IDS_REPORT_DATE", FormatReportTime(header.time)) + L"\r\n" + reportText;
}

std::string EncodeReportFile(const std::wstring& text) {
    std::string out = "\xEF\xBB\xBF";
    out.reserve(3 + text.size() + text.size() / 8);
    bool lineOpen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = static_cast<std::uint32_t>(text[i]);
        if (sizeof(wchar_t) == 2)
            c &= 0xFFFF;
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
            out += "\r\n";
            lineOpen = false;
            continue;
        }
        if (IsHighSurrogate(c) && i + 1 < text.size() &&
            IsLowSurrogate(static_cast<std::uint32_t>(text[i + 1]) & 0xFFFF)) {
            const std::uint32_t low = static_cast<std::uint32_t>(text[++i]) & 0xFFFF;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
        lineOpen = true;
    }
    if (lineOpen)
        out += "\r\n";
    return out;
}

const wchar_t* WriteFailureReasonKey(unsigned long error) {
    switch (error) {
    case 2:   // ERROR_FILE_NOT_FOUND
    case 3:   // ERROR_PATH_NOT_FOUND
    case 15:  // ERROR_INVALID_DRIVE
    case 53:  // ERROR_BAD_NETPATH
    case 67:  // ERROR_BAD_NET_NAME
    case 123: // ERROR_INVALID_NAME
    case 161: // ERROR_BAD_PATHNAME
    case 267: // ERROR_DIRECTORY
        return L"IDS_REPORT_REASON_FOLDER";
    case 5:  // ERROR_ACCESS_DENIED
    case 19: // ERROR_WRITE_PROTECT
        return L"IDS_REPORT_REASON_ACCESS";
    case 32: // ERROR_SHARING_VIOLATION
    case 33: // ERROR_LOCK_VIOLATION
        return L"IDS_REPORT_REASON_IN_USE";
    case 39:  // ERROR_HANDLE_DISK_FULL
    case 112: // ERROR_DISK_FULL
        return L"IDS_REPORT_REASON_DISK_FULL";
    default: return nullptr;
    }
}

std::wstring ReportNotSavedMessage(const std::wstring& file, const std::wstring& reason, const TextLookup& texts) {
    return texts(L"IDS_REPORT_NOT_SAVED") + L"\r\n" + file + L"\r\n\r\n" + reason;
}

} // namespace report
