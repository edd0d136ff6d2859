// The resolution combo's item texts: written as "<width>x<height>" and read back from the item
// the player chose.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sheet {

struct Resolution {
    int width = 0;
    int height = 0;
    friend bool operator==(const Resolution&, const Resolution&) = default;
};

// "1024x768" for 1024 and 768.
std::wstring FormatResolution(int width, int height);

// The two numbers of an item text. Only decimal digits on both sides of the first "x" count;
// anything else (an empty side, a sign, a space, a number too large for an int, a second "x")
// is no resolution, so that a foreign item can never store half a resolution or a zero.
std::optional<Resolution> ParseResolution(std::wstring_view text);

} // namespace sheet
