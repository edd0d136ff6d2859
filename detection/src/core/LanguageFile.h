// The language files: "KEY=value" lines, ";" comments, section lines ignored, UTF-8 (with or
// without byte-order mark) or UTF-16LE with its mark, "\n", "\t" and "\\" escapes in values.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace detection {

// Bounds against damaged or hostile files: what lies beyond them is cut, never overflows.
inline constexpr std::size_t kMaxLanguageFileBytes = 1024 * 1024;
inline constexpr std::size_t kMaxValueLength = 4096;

class LanguageFile {
public:
    // bytes: the file's first kMaxLanguageFileBytes at most; truncated: the file went on beyond
    // them, so its last, incomplete line is dropped rather than read as a shortened text.
    static LanguageFile Parse(std::string_view bytes, bool truncated = false);
    // A missing or unreadable file gives an empty table.
    static LanguageFile Load(const std::filesystem::path& path);

    // Keys match without regard to ASCII case, as in Windows profile files; the first
    // definition of a key wins.
    const std::wstring* Find(std::wstring_view key) const;
    std::size_t Size() const { return values_.size(); }
    // Every key (in upper case) with its text, for tools and checks that go through them all.
    const std::unordered_map<std::wstring, std::wstring>& Values() const { return values_; }
    // Keys defined again after their first definition, in upper case, once per ignored line.
    const std::vector<std::wstring>& RepeatedKeys() const { return repeated_; }

private:
    std::unordered_map<std::wstring, std::wstring> values_; // keys in upper case
    std::vector<std::wstring> repeated_;
};

// The English file that answers keys the chosen file lacks:
// <program folder>\localization\EN\interpreter_local.ini, where the program folder is the chosen
// file's folder, or two levels up when the chosen file sits in localization\<LANG>\.
// The separator of the chosen path is kept ('/' in native tests).
std::wstring EnglishFilePath(std::wstring_view chosenPath);

// The key lookup behind GetLocalizedString.
class Localizer {
public:
    // Reads the chosen file at once; the English file only when a key is missing.
    void SetPath(std::wstring path);
    const std::wstring& Path() const { return path_; }
    bool HasPath() const { return hasPath_; }

    // The chosen file's text, else the English file's (also where the chosen file's is empty, as
    // an untranslated text is), else the key itself: nothing shows blank unless meant to.
    std::wstring Lookup(const wchar_t* key);

private:
    std::wstring path_;
    bool hasPath_ = false;
    LanguageFile chosen_;
    std::optional<LanguageFile> english_;
};

} // namespace detection
