#include "Text.h"

#include <algorithm>
#include <cmath>

namespace detection {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void DecodeUtf8(std::string_view bytes, std::wstring& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char lead = p[i];
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        size_t length;
        char32_t cp;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
        } else {
            AppendCodePoint(out, kReplacement);
            ++i;
            continue;
        }
        size_t j = 1;
        for (; j < length && i + j < n && (p[i + j] & 0xC0) == 0x80; ++j)
            cp = (cp << 6) | (p[i + j] & 0x3F);
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (j < length || cp < kSmallest[length] || cp > 0x10FFFF || IsSurrogate(cp)) {
            // Skip only the bytes that belonged to the broken sequence.
            AppendCodePoint(out, kReplacement);
            i += j;
            continue;
        }
        AppendCodePoint(out, cp);
        i += length;
    }
}

void DecodeUtf16Le(std::string_view bytes, std::wstring& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t units = bytes.size() / 2; // an odd last byte is no character
    auto unit = [p](size_t k) { return static_cast<char32_t>(p[2 * k] | (p[2 * k + 1] << 8)); };
    for (size_t k = 0; k < units; ++k) {
        const char32_t u = unit(k);
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
            const char32_t low = unit(k + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++k;
                continue;
            }
        }
        AppendCodePoint(out, IsSurrogate(u) ? kReplacement : u);
    }
}

} // namespace

void AppendCodePoint(std::wstring& out, char32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

std::wstring DecodeText(std::string_view bytes) {
    std::wstring out;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        out.reserve(bytes.size() / 2);
        DecodeUtf16Le(bytes.substr(2), out);
        return out;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    out.reserve(bytes.size());
    DecodeUtf8(bytes, out);
    return out;
}

std::wstring Substitute(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    out.reserve(pattern.size() + 32);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'{' && i + 2 < pattern.size() && pattern[i + 2] == L'}' && pattern[i + 1] >= L'1' &&
            pattern[i + 1] <= L'9') {
            const size_t index = static_cast<size_t>(pattern[i + 1] - L'1');
            if (index < args.size()) {
                out.append(args.begin()[index]);
                i += 2;
                continue;
            }
        }
        out.push_back(pattern[i]);
    }
    return out;
}

std::wstring FormatDecimal(double value, int decimals, std::wstring_view separator) {
    // More decimals than a double carries would only show noise (and overflow the scale).
    decimals = std::clamp(decimals, 0, 15);
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const double magnitude = std::fabs(value) * static_cast<double>(scale);
    // No figure a player reads comes near 2^63; one that does is shown as unknown, like a
    // value that is not a number, rather than rounded into garbage.
    if (!std::isfinite(value) || !(magnitude < 9223372036854775808.0))
        return L"-";
    const long long scaled = std::llround(magnitude);
    std::wstring out = (value < 0 && scaled != 0) ? L"-" : L"";
    out += std::to_wstring(scaled / scale);
    if (decimals > 0) {
        std::wstring fraction = std::to_wstring(scaled % scale);
        out += separator;
        out.append(static_cast<size_t>(decimals) - fraction.size(), L'0');
        out += fraction;
    }
    return out;
}

std::wstring FormatHexId(unsigned id) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), kDigits[id & 0xF]);
        id >>= 4;
    } while (id != 0);
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), L'0');
    return L"0x" + digits;
}

bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    auto lower = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::string NarrowUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() &&
            static_cast<char32_t>(text[i + 1]) >= 0xDC00 && static_cast<char32_t>(text[i + 1]) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        } else if (IsSurrogate(cp) || cp > 0x10FFFF) {
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::wstring WidenLatin1(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (char c : text)
        out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return out;
}

} // namespace detection
