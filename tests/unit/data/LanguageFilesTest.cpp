// The launcher's part of the five language files: the same keys everywhere, exactly the keys
// the program looks up, and files the detection library's reader takes as they are meant.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "LanguageFile.h"
#include "Utf8Check.h"

namespace {

const char* const kLanguages[] = {"EN", "DEU", "FR", "ESM", "ITA"};

// Every key the program looks up by text.
const std::set<std::string> kProgramKeys = {
    "IDS_CANCEL_BUTTON",
    "IDS_CHECKLOG",
    "IDS_COPYRIGHT",
    "IDS_DEFAULT_BUTTON_TOOLTIP",
    "IDS_DEFAULT_SETTING_BUTTON",
    "IDS_DETECTIONUI_NAME",
    "IDS_DO_NOT_SHOW_AGAIN",
    "IDS_EASY_VIDEO_SETTING_CAPTION",
    "IDS_ERROR",
    "IDS_HELP",
    "IDS_INFO",
    "IDS_LANGUAGES_CONFIGURATION_CAPTION",
    "IDS_LANG_COMBO_LABEL",
    "IDS_LAUNCHER_TITLE",
    "IDS_LAUNCH_BUTTON",
    "IDS_MINIMUM",
    "IDS_OK_BUTTON",
    "IDS_QUIT",
    "IDS_REQUIREMENT",
    "IDS_REQUIREMENT_DESCRIPTION",
    "IDS_RESULT_FAILED",
    "IDS_RESULT_IDEAL",
    "IDS_RESULT_SUFFICIENT",
    "IDS_SCREEN_RESOLUTION_LABEL",
    "IDS_SCREEN_RESOLUTION_TOOLTIP",
    "IDS_SETTING_BUTTON",
    "IDS_SUPPORT_LINK",
    "IDS_TEXTURE_QUALITY_LABEL",
    "IDS_TEXTURE_QUALITY_TOOLTIP",
    "IDS_VERTICAL_SYNC_LABEL",
    "IDS_VERTICAL_SYNC_TOOLTIP",
    "IDS_VIDEO_SETTING_QUALITY_LABEL",
    "IDS_VIDEO_SETTING_QUALITY_TOOLTIP",
    "IDS_WARN_SYSTEM_INCOMPATIBLE",
    "IDS_WIDE_SCREEN_RESOLUTION_CHECK",
    "IDS_WIDE_SCREEN_RESOLUTION_TOOLTIP",
    "LANG_ENGLISH",
    "LANG_FRENCH",
    "LANG_GERMAN",
    "LANG_ITALIAN",
    "LANG_SPANISH",
    "VQL_HIGH",
    "VQL_LOW",
    "VQL_MED",
    "VQL_VERY_HIGH",
};

// One part of a language as the program reads it, with its bytes for the checks of the file itself.
struct Part {
    std::string raw;
    detection::LanguageFile file;
};

Part ReadLanguage(const std::string& language, const std::string& part = "10-launcher.ini") {
    std::ifstream in(std::string(LANGUAGE_DIR) + "/" + language + "/" + part, std::ios::binary);
    std::string raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    detection::LanguageFile file = detection::LanguageFile::Parse(raw);
    return {std::move(raw), std::move(file)};
}

// The keys of the report file, its save dialog and menu entry, the settings' save failure and
// the crash report.
const std::set<std::string> kSupportKeys = {
    "IDS_CRASH_REPORT",           "IDS_CRASH_NO_REPORT",      "IDS_REPORT_DATE",
    "IDS_REPORT_FILE_TYPE",       "IDS_REPORT_GAME_FOLDER",   "IDS_REPORT_GAME_VERSION",
    "IDS_REPORT_MISSING_FILE",    "IDS_REPORT_NOT_RECORDED",  "IDS_REPORT_NOT_SAVED",
    "IDS_REPORT_PROGRAM_VERSION", "IDS_REPORT_REASON_ACCESS", "IDS_REPORT_REASON_DISK_FULL",
    "IDS_REPORT_REASON_FOLDER",   "IDS_REPORT_REASON_IN_USE", "IDS_REPORT_REASON_RUNNING",
    "IDS_REPORT_TITLE",           "IDS_SAVE_REPORT",          "IDS_SETTINGS_NOT_SAVED",
    "IDS_SETTINGS_NOT_RESTORED",  "IDS_DEFAULTS_NOT_SAVED",
};

// The keys are ASCII.
std::set<std::string> Keys(const Part& part) {
    std::set<std::string> keys;
    for (const auto& [key, text] : part.file.Values()) {
        std::string narrow;
        for (wchar_t c : key)
            narrow += static_cast<char>(c);
        keys.insert(narrow);
    }
    return keys;
}

std::string Difference(const std::set<std::string>& a, const std::set<std::string>& b) {
    std::string out;
    for (const auto& k : a)
        if (!b.count(k))
            out += " " + k;
    return out;
}

TEST(LanguageFiles, HoldExactlyTheKeysTheProgramLooksUp) {
    for (const char* language : kLanguages) {
        const auto keys = Keys(ReadLanguage(language));
        EXPECT_EQ(Difference(kProgramKeys, keys), "") << language << " lacks these keys";
        EXPECT_EQ(Difference(keys, kProgramKeys), "") << language << " has keys the program never looks up";
    }
}

TEST(LanguageFiles, AllLanguagesHaveTheSameKeys) {
    const auto english = Keys(ReadLanguage("EN"));
    for (const char* language : kLanguages) {
        const auto keys = Keys(ReadLanguage(language));
        EXPECT_EQ(Difference(english, keys), "") << language << " lacks keys that EN has";
        EXPECT_EQ(Difference(keys, english), "") << language << " has keys that EN lacks";
    }
}

TEST(LanguageFiles, SupportPartHoldsItsKeysInEveryLanguage) {
    for (const char* language : kLanguages) {
        const auto part = ReadLanguage(language, "40-support.ini");
        const std::string& raw = part.raw;
        ASSERT_FALSE(raw.empty()) << language;
        EXPECT_NE(raw.rfind("\xEF\xBB\xBF", 0), 0u) << language << ": starts with a byte order mark";
        EXPECT_TRUE(IsValidUtf8(raw)) << language << ": not valid UTF-8";
        EXPECT_TRUE(raw.back() == '\n') << language << ": last line has no newline";
        EXPECT_EQ(raw.find('\r'), std::string::npos) << language << ": carriage returns";
        const auto& texts = part.file.Values();
        for (const auto& [key, text] : texts) {
            EXPECT_FALSE(text.empty()) << language << ": " << key << " is empty";
            EXPECT_EQ(text.find(L'\\'), std::wstring::npos) << language << ": " << key << " has a backslash";
        }
        EXPECT_EQ(part.file.RepeatedKeys(), std::vector<std::wstring>{}) << language << ": a key twice";
        const auto keys = Keys(part);
        EXPECT_EQ(Difference(kSupportKeys, keys), "") << language << " lacks these keys";
        EXPECT_EQ(Difference(keys, kSupportKeys), "") << language << " has keys the program never looks up";
        // A menu entry that opens a dialog ends with an ellipsis; the example keeps the switch.
        const std::wstring& save = texts.at(L"IDS_SAVE_REPORT");
        EXPECT_TRUE(save.size() > 1 && save.back() == L'\u2026') << language << ": " << save;
        EXPECT_NE(texts.at(L"IDS_REPORT_MISSING_FILE").find(L"Launcher.exe /Report \""), std::wstring::npos)
            << language;
        // No key of this part is in another part of the same language.
        for (const char* other : {"10-launcher.ini", "20-detection.ini", "30-report.ini"}) {
            const auto otherKeys = Keys(ReadLanguage(language, other));
            for (const auto& key : keys)
                EXPECT_EQ(otherKeys.count(key), 0u) << language << ": " << key << " also in " << other;
        }
    }
    EXPECT_NE(ReadLanguage("ESM", "40-support.ini").file.Values().at(L"IDS_SETTINGS_NOT_SAVED").find(L"Aceptar"),
              std::wstring::npos)
        << "the message names the buttons as the sheet shows them";
}

TEST(LanguageFiles, AreCleanUtf8LinesWithoutDuplicatesOrEmptyValues) {
    for (const char* language : kLanguages) {
        const auto part = ReadLanguage(language);
        const std::string& raw = part.raw;
        ASSERT_FALSE(raw.empty()) << language;
        EXPECT_NE(raw.rfind("\xEF\xBB\xBF", 0), 0u) << language << ": starts with a byte order mark";
        EXPECT_TRUE(IsValidUtf8(raw)) << language << ": not valid UTF-8";
        EXPECT_TRUE(raw.back() == '\n') << language << ": last line has no newline";
        EXPECT_EQ(raw.find('\r'), std::string::npos) << language << ": carriage returns";
        EXPECT_EQ(part.file.RepeatedKeys(), std::vector<std::wstring>{}) << language << ": a key twice";
        for (const auto& [key, text] : part.file.Values()) {
            EXPECT_FALSE(text.empty()) << language << ": " << key << " is empty";
            EXPECT_EQ(key.find_first_of(L" \t"), std::wstring::npos) << language << ": blank in key " << key;
            EXPECT_EQ(text.find(L'\\'), std::wstring::npos)
                << language << ": " << key << " has a backslash other than \\n or \\t";
        }
    }
}

TEST(LanguageFiles, SupportLinkIsTheSameWebAddressInEveryLanguage) {
    const std::wstring link = *ReadLanguage("EN").file.Find(L"IDS_SUPPORT_LINK");
    EXPECT_EQ(link.rfind(L"https://", 0), 0u) << link;
    EXPECT_EQ(link.find_first_of(L" \t\n"), std::wstring::npos) << link;
    for (const char* language : kLanguages) {
        const auto part = ReadLanguage(language);
        const std::wstring* found = part.file.Find(L"IDS_SUPPORT_LINK");
        EXPECT_EQ(found ? *found : L"", link) << language;
    }
}

// The language page finds the chosen entry by its name: two equal names would make the
// second language impossible to choose.
TEST(LanguageFiles, LanguageNamesAreDistinct) {
    const wchar_t* const nameKeys[] = {L"LANG_ENGLISH", L"LANG_GERMAN", L"LANG_FRENCH", L"LANG_SPANISH",
                                       L"LANG_ITALIAN"};
    for (const char* language : kLanguages) {
        const auto part = ReadLanguage(language);
        std::set<std::wstring> names;
        for (const wchar_t* key : nameKeys)
            names.insert(part.file.Find(key) ? *part.file.Find(key) : L"");
        EXPECT_EQ(names.size(), std::size(nameKeys)) << language;
    }
}

} // namespace
