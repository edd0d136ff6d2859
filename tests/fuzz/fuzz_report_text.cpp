// Any report text (the input as UTF-16 units, unpaired surrogates included): the file's bytes
// are a byte-order mark and well-formed UTF-8 whose every line ends with CR LF.
#include "Utf8Check.h"
#include "report/ReportFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const std::string bytes = report::EncodeReportFile(text);
    if (bytes.rfind("\xEF\xBB\xBF", 0) != 0 || !IsValidUtf8(bytes.substr(3)))
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
