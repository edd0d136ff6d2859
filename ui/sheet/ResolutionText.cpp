#include "sheet/ResolutionText.h"

#include <limits>

namespace sheet {

namespace {

std::optional<int> ParseDecimal(std::wstring_view digits) {
    if (digits.empty())
        return std::nullopt;
    long long value = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

std::wstring FormatResolution(int width, int height) { return std::to_wstring(width) + L"x" + std::to_wstring(height); }

std::optional<Resolution> ParseResolution(std::wstring_view text) {
    const std::size_t x = text.find(L'x');
    if (x == std::wstring_view::npos)
        return std::nullopt;
    const std::optional<int> width = ParseDecimal(text.substr(0, x));
    const std::optional<int> height = ParseDecimal(text.substr(x + 1));
    if (!width || !height)
        return std::nullopt;
    return Resolution{*width, *height};
}

} // namespace sheet
