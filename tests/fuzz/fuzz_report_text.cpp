// Any report text (the input as UTF-16 units, unpaired surrogates included): the file's bytes
// are a byte-order mark and well-formed UTF-8 whose every line ends with CR LF.
#include "report/ReportFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Whether the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool WellFormed(const std::string& bytes, size_t from) {
    for (size_t i = from; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= bytes.size())
            return false;
        uint32_t code = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            code = code << 6 | (c & 0x3F);
        }
        static const uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += 1 + extra;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const std::string bytes = report::EncodeReportFile(text);
    if (bytes.rfind("\xEF\xBB\xBF", 0) != 0 || !WellFormed(bytes, 3))
        __builtin_trap();
    for (size_t i = 3; i < bytes.size(); ++i) {
        const bool lf = bytes[i] == '\n', cr = bytes[i] == '\r';
        if ((lf && bytes[i - 1] != '\r') || (cr && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            __builtin_trap();
    }
    if (bytes.size() > 3 && bytes.compare(bytes.size() - 2, 2, "\r\n") != 0)
        __builtin_trap();
    return 0;
}
