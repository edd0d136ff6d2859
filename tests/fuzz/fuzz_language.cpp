// Any bytes as a language file: parsing, lookups and the English file's path must neither
// crash nor read outside the input, and the bounds must hold.
#include "LanguageFile.h"
#include "Text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace detection;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool truncated : {false, true}) {
        const LanguageFile file = LanguageFile::Parse(bytes, truncated);
        for (const wchar_t* key : {L"IDS_OK_BUTTON", L"K", L"", L"det_cpu_name"}) {
            if (const std::wstring* value = file.Find(key); value != nullptr && value->size() > kMaxValueLength)
                __builtin_trap();
        }
    }
    // The decoded text as a chosen path and as a pattern with placeholders.
    const std::wstring text = DecodeText(bytes.substr(0, 4096));
    const std::wstring english = EnglishFilePath(text);
    if (english.size() > text.size() + 40)
        __builtin_trap();
    Substitute(text, {L"one", L"two"});
    NarrowUtf8(text);
    return 0;
}
