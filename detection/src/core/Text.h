// Text helpers of the detection library: decoding the bytes of text files into wide strings and
// building the report's numbers without the printf family (whose wide formats differ between
// the C runtimes we build with).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace detection {

// Decodes a whole text file: UTF-16LE when it starts with its byte-order mark, otherwise UTF-8
// (a UTF-8 mark is dropped). Malformed sequences become U+FFFD; nothing is ever read past the
// given bytes. wchar_t holds UTF-16 on Windows and UTF-32 natively; both come out right.
std::wstring DecodeText(std::string_view bytes);

// Appends one code point as one or two wchar_t.
void AppendCodePoint(std::wstring& out, char32_t codePoint);

// Replaces {1} … {9} in pattern by the arguments; other braces stay as they are.
std::wstring Substitute(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// value rounded to the given number of decimals (0–15), e.g. (0.346, 2, L',') -> "0,35"; "-" for a
// value that is not a number or too large to show (10^decimals × value from 2^63 on).
std::wstring FormatDecimal(double value, int decimals, std::wstring_view separator);

// "0x10DE": vendor and device ids as players find them in other tools.
std::wstring FormatHexId(unsigned id);

// Lower-case ASCII only; the keys and names compared with it are ASCII.
bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b);

// Each byte as the character of the same number (CPUID's brand string is plain ASCII).
std::wstring WidenLatin1(std::string_view text);

// UTF-8 for messages that carry a path; a narrow string is passed through as it is.
std::string NarrowUtf8(std::wstring_view text);
inline std::string NarrowUtf8(const std::string& text) { return text; }

} // namespace detection
