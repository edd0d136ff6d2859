// Rows of the settings table by the names the game engine reads, so that the tests' tables of
// expected values say which setting they mean.
#pragma once

#include "SettingsTables.h"

#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace testing_settings {

// A name that is not in the table, or that is in it twice (the language is stored in both keys:
// use kEngineLanguage and kLauncherLanguage), does not compile where a constant is needed.
constexpr std::size_t Row(std::wstring_view name) {
    std::size_t found = kSettingsTable.size();
    for (std::size_t row = 0; row < kSettingsTable.size(); ++row) {
        if (name != kSettingsTable[row].name)
            continue;
        if (found != kSettingsTable.size())
            throw std::invalid_argument("a name of two settings");
        found = row;
    }
    if (found == kSettingsTable.size())
        throw std::out_of_range("no such setting");
    return found;
}

} // namespace testing_settings
