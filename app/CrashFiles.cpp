#include "CrashFiles.h"

#include <algorithm>

namespace app {

namespace {

constexpr std::wstring_view kPrefix = L"Launcher-";
constexpr std::wstring_view kSuffix = L".dmp";
constexpr std::size_t kStampLength = 15; // YYYYMMDD-HHMMSS

std::wstring Digits(int value, std::size_t width) {
    std::wstring text = std::to_wstring(value < 0 ? 0 : value);
    if (text.size() < width)
        text.insert(0, width - text.size(), L'0');
    return text;
}

bool AllDigits(std::wstring_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

} // namespace

std::wstring CrashReportName(const CrashTime& utc, unsigned long processId) {
    return std::wstring(kPrefix) + Digits(utc.year, 4) + Digits(utc.month, 2) + Digits(utc.day, 2) + L"-" +
           Digits(utc.hour, 2) + Digits(utc.minute, 2) + Digits(utc.second, 2) + L"-" + std::to_wstring(processId) +
           std::wstring(kSuffix);
}

bool IsCrashReportName(std::wstring_view name) {
    if (name.size() <= kPrefix.size() + kStampLength + 1 + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return false;
    const std::wstring_view stamp = name.substr(kPrefix.size(), kStampLength);
    const std::wstring_view process = name.substr(kPrefix.size() + kStampLength + 1,
                                                  name.size() - kPrefix.size() - kStampLength - 1 - kSuffix.size());
    return AllDigits(stamp.substr(0, 8)) && stamp[8] == L'-' && AllDigits(stamp.substr(9)) &&
           name[kPrefix.size() + kStampLength] == L'-' && AllDigits(process);
}

std::vector<std::wstring> CrashReportsToRemove(std::vector<std::wstring> names, std::size_t kept) {
    std::erase_if(names, [](const std::wstring& name) { return !IsCrashReportName(name); });
    // The time stamp decides; two crashes in the same second go by process id, as digits.
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        const auto key = [](const std::wstring& name) {
            return std::make_pair(name.substr(kPrefix.size(), kStampLength),
                                  std::make_pair(name.size(), name)); // shorter id first, then by digit
        };
        return key(a) < key(b);
    });
    if (names.size() <= kept)
        return {};
    names.resize(names.size() - kept);
    return names;
}

} // namespace app
