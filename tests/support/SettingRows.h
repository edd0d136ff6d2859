// Rows of the settings table by the names the game engine reads, so that the tests' tables of
// expected values say which setting they mean.
#pragma once

#include "SettingsTables.h"

#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace testing_settings {

// A name that is not in the table does not compile where a constant is needed.
constexpr std::size_t Row(std::wstring_view name) {
    for (std::size_t row = 0; row < kSettingsTable.size(); ++row)
        if (name == kSettingsTable[row].name)
            return row;
    throw std::out_of_range("no such setting");
}

} // namespace testing_settings
