#include "report/ReportText.h"

namespace report {

namespace {

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

void AppendItem(std::wstring& out, const CReportItem& item, const StatusText& status) {
    const std::wstring name = OneLine(item.Caption());
    if (item.IsGroup()) {
        if (!name.empty())
            out += L"\r\n" + name + L"\r\n";
    } else {
        std::wstring details;
        const auto add = [&details](const std::wstring& part) {
            if (part.empty())
                return;
            if (!details.empty())
                details += L" - ";
            details += part;
        };
        const std::wstring* value = item.ValueData();
        add(value ? OneLine(*value) : std::wstring());
        const auto* text = dynamic_cast<const CReportTextItem*>(&item);
        if (text && text->TestResult() >= 0 && status)
            add(OneLine(status(text->TestResult())));
        add(OneLine(item.Hint()));
        if (!name.empty() || !details.empty())
            out += name + (name.empty() || details.empty() ? L"" : L": ") + details + L"\r\n";
    }
    for (const CReportItem* child = item.FirstChild(); child; child = child->NextSibling())
        AppendItem(out, *child, status);
}

} // namespace

std::wstring BuildReportText(const CReportItem& root, const std::wstring& verdict, const StatusText& status) {
    std::wstring out = OneLine(verdict) + L"\r\n";
    for (const CReportItem* item = root.FirstChild(); item; item = item->NextSibling())
        AppendItem(out, *item, status);
    return out;
}

} // namespace report
