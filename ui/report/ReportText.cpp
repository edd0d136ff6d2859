#include "report/ReportText.h"

namespace report {

namespace {

// What a buffer of that many characters (the terminator among them) keeps of a text.
std::wstring Limited(std::wstring text, std::size_t characters) {
    if (text.size() > characters - 1)
        text.resize(characters - 1);
    return text;
}

// Line breaks inside a text would split an item over several lines of the pasted report.
std::wstring OneLine(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    bool space = false;
    for (wchar_t c : text) {
        if (c == L'\r' || c == L'\n' || c == L'\t') {
            space = true;
            continue;
        }
        if (space && !out.empty())
            out += L' ';
        space = false;
        out += c;
    }
    return out;
}

std::wstring Text(const TextLookup& texts, const wchar_t* key) { return key && texts ? texts(key) : std::wstring(); }

} // namespace

DetectedItem ReadDetectedItem(const Information& information) {
    DetectedItem item;
    item.caption = Limited(information.GetDisplayString(), 256);
    item.hint = Limited(information.GetDescriptionString(), 256);
    item.value = Limited(information.GetValueString(), 1024);
    item.result = information.GetTestResult();
    return item;
}

std::vector<DetectedItem> ReadDetectedItems(const std::vector<Information*>& informations) {
    std::vector<DetectedItem> items;
    items.reserve(informations.size());
    for (const Information* information : informations)
        if (information)
            items.push_back(ReadDetectedItem(*information));
    return items;
}

const wchar_t* VerdictKey(int overallResult) {
    switch (overallResult) {
    case kOverallIdeal: return L"IDS_RESULT_IDEAL";
    case kOverallFailed: return L"IDS_RESULT_FAILED";
    case kOverallSufficient: return L"IDS_RESULT_SUFFICIENT";
    default: return nullptr;
    }
}

const wchar_t* StatusKey(int result) {
    switch (result) {
    case kTestResultIdeal: return L"IDS_REPORT_STATUS_IDEAL";
    case kTestResultFailed: return L"IDS_REPORT_STATUS_FAILED";
    case kTestResultSufficient: return L"IDS_REPORT_STATUS_SUFFICIENT";
    case kTestResultUndetected: return L"IDS_REPORT_STATUS_UNDETECTED";
    default: return nullptr;
    }
}

std::wstring BuildReportText(const std::wstring& verdict, const std::vector<DetectedItem>& items,
                             const TextLookup& texts) {
    std::wstring out = OneLine(verdict) + L"\r\n";
    const std::wstring heading = OneLine(Text(texts, L"IDS_REQUIREMENT"));
    if (!heading.empty())
        out += L"\r\n" + heading + L"\r\n";
    for (const DetectedItem& item : items) {
        const std::wstring name = OneLine(item.caption);
        std::wstring details;
        const auto add = [&details](const std::wstring& part) {
            if (part.empty())
                return;
            if (!details.empty())
                details += L" - ";
            details += part;
        };
        add(OneLine(item.value));
        add(OneLine(Text(texts, StatusKey(item.result))));
        add(OneLine(item.hint));
        if (!name.empty() || !details.empty())
            out += name + (name.empty() || details.empty() ? L"" : L": ") + details + L"\r\n";
    }
    return out;
}

} // namespace report
