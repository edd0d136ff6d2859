// Shared helpers of the detection library's unit tests: a scratch folder, file writing, and
// the English texts as the library ships them.
#pragma once

#include "Items.h"
#include "LanguageFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace detection::test {

inline std::filesystem::path DataDir() { return TARNHOLM_DATA_DIR; }

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed again with the fixture.
class ScratchDir : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("tarnholm_det_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

// Texts of one shipped language part, looked up as the library does.
inline TextLookup ShippedTexts(const char* language) {
    auto file =
        std::make_shared<LanguageFile>(LanguageFile::Load(DataDir() / "localization" / language / "20-detection.ini"));
    return [file](const wchar_t* key) {
        const std::wstring* text = file->Find(key);
        return text ? *text : std::wstring(key);
    };
}

} // namespace detection::test
