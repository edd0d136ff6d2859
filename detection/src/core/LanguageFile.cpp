#include "LanguageFile.h"

#include "Text.h"

#include <algorithm>
#include <fstream>

namespace detection {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == 0xFEFF; }

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::wstring FoldKey(std::wstring_view key) {
    std::wstring folded(key);
    for (wchar_t& c : folded)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - 32);
    return folded;
}

bool IsHighSurrogate(wchar_t c) { return sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF; }

// Resolves the escapes and cuts the result at kMaxValueLength, never inside a surrogate pair.
std::wstring Unescape(std::wstring_view raw) {
    std::wstring value;
    value.reserve(raw.size() < kMaxValueLength ? raw.size() : kMaxValueLength);
    for (size_t i = 0; i < raw.size() && value.size() < kMaxValueLength; ++i) {
        wchar_t c = raw[i];
        if (c == L'\\' && i + 1 < raw.size()) {
            const wchar_t next = raw[i + 1];
            if (next == L'n' || next == L't' || next == L'\\') {
                c = next == L'n' ? L'\n' : next == L't' ? L'\t' : L'\\';
                ++i;
            }
        }
        value.push_back(c);
    }
    if (value.size() == kMaxValueLength && IsHighSurrogate(value.back()))
        value.pop_back();
    return value;
}

} // namespace

LanguageFile LanguageFile::Parse(std::string_view bytes, bool truncated) {
    if (bytes.size() > kMaxLanguageFileBytes) {
        bytes = bytes.substr(0, kMaxLanguageFileBytes);
        truncated = true;
    }
    std::wstring text = DecodeText(bytes);
    if (truncated) {
        const size_t lastBreak = text.rfind(L'\n');
        text.resize(lastBreak == std::wstring::npos ? 0 : lastBreak);
    }

    LanguageFile file;
    std::wstring_view rest(text);
    while (!rest.empty()) {
        const size_t end = rest.find(L'\n');
        std::wstring_view line = Trim(rest.substr(0, end));
        rest = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end + 1);

        if (line.empty() || line.front() == L';' || line.front() == L'[')
            continue;
        const size_t eq = line.find(L'=');
        if (eq == std::wstring_view::npos)
            continue;
        const std::wstring_view key = Trim(line.substr(0, eq));
        if (key.empty())
            continue;
        const auto [entry, fresh] = file.values_.try_emplace(FoldKey(key));
        if (fresh)
            entry->second = Unescape(Trim(line.substr(eq + 1)));
        else
            file.repeated_.push_back(entry->first);
    }
    return file;
}

LanguageFile LanguageFile::Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    // Read as far as the file goes, one byte beyond the bound at most (which tells that it goes
    // on): a language file is a few kilobytes, and the start-up reads two.
    std::string bytes;
    char chunk[16 * 1024];
    while (bytes.size() <= kMaxLanguageFileBytes) {
        const size_t wanted = std::min(sizeof chunk, kMaxLanguageFileBytes + 1 - bytes.size());
        in.read(chunk, static_cast<std::streamsize>(wanted));
        bytes.append(chunk, static_cast<size_t>(in.gcount()));
        if (static_cast<size_t>(in.gcount()) < wanted)
            break;
    }
    const bool truncated = bytes.size() > kMaxLanguageFileBytes;
    return Parse(std::string_view(bytes).substr(0, kMaxLanguageFileBytes), truncated);
}

const std::wstring* LanguageFile::Find(std::wstring_view key) const {
    const auto it = values_.find(FoldKey(key));
    return it == values_.end() ? nullptr : &it->second;
}

std::wstring EnglishFilePath(std::wstring_view chosenPath) {
    const size_t slash = chosenPath.find_last_of(L"\\/");
    const wchar_t sep = slash == std::wstring_view::npos ? L'\\' : chosenPath[slash];
    std::wstring_view folder = slash == std::wstring_view::npos ? std::wstring_view() : chosenPath.substr(0, slash);

    // <program>\localization\<LANG>\file: the program folder is two levels up.
    const size_t langSlash = folder.find_last_of(L"\\/");
    if (langSlash != std::wstring_view::npos) {
        const std::wstring_view parent = folder.substr(0, langSlash);
        const size_t parentSlash = parent.find_last_of(L"\\/");
        const std::wstring_view parentName =
            parentSlash == std::wstring_view::npos ? parent : parent.substr(parentSlash + 1);
        if (EqualsIgnoreAsciiCase(parentName, L"localization"))
            folder = parentSlash == std::wstring_view::npos ? std::wstring_view() : parent.substr(0, parentSlash);
    }

    std::wstring english(folder);
    if (!english.empty())
        english += sep;
    english += L"localization";
    english += sep;
    english += L"EN";
    english += sep;
    english += L"interpreter_local.ini";
    return english;
}

void Localizer::SetPath(std::wstring path) {
    path_ = std::move(path);
    hasPath_ = true;
    english_.reset();
    try {
        chosen_ = LanguageFile::Load(std::filesystem::path(path_));
    } catch (const std::exception&) {
        chosen_ = {}; // a path the platform cannot even represent reads as a missing file
    }
}

std::wstring Localizer::Lookup(const wchar_t* key) {
    if (key == nullptr)
        return {};
    const std::wstring* chosen = chosen_.Find(key);
    if (chosen != nullptr && !chosen->empty())
        return *chosen;
    if (!english_) {
        english_.emplace();
        if (hasPath_) {
            try {
                *english_ = LanguageFile::Load(std::filesystem::path(EnglishFilePath(path_)));
            } catch (const std::exception&) {
            }
        }
    }
    const std::wstring* english = english_->Find(key);
    if (english != nullptr && !english->empty())
        return *english;
    // A text left empty on purpose stays empty; only a key found nowhere answers itself.
    return chosen != nullptr || english != nullptr ? std::wstring() : std::wstring(key);
}

} // namespace detection
