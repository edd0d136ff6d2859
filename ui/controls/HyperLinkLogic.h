// The hyperlink's plain decisions: its text colour, the browser command assembled from the
// ".htm" association, and the messages of a failed opening.
#pragma once

#include "controls/Geometry.h"

#include <string>
#include <vector>

namespace hyperlink {

// Style flags of the link (0x15 is the one the program uses).
enum Style : unsigned {
    kUnderline = 0x01,
    kUseHover = 0x02,
    kFitToText = 0x04,
    kOpenOnPress = 0x08,
    kFocusOnPress = 0x10,
    kNoHandCursor = 0x20,
    kNoActiveColour = 0x40,
};
inline constexpr unsigned kDefaultStyle = 0x15;

inline constexpr ctl::Colour kLinkColour = ctl::Rgb(0, 0, 255);
inline constexpr ctl::Colour kActiveColour = ctl::Rgb(0, 128, 128);
inline constexpr ctl::Colour kFollowedColour = ctl::Rgb(128, 0, 128);
inline constexpr ctl::Colour kHoverColour = ctl::Rgb(255, 0, 0);

ctl::Colour TextColour(bool hover, bool active, bool followed, unsigned style);

// The command buffer's size in wide characters, terminator included.
inline constexpr size_t kCommandBufferChars = 522;

// The registered browser command cut at its "%1" placeholder (quoted first), then " " and the
// target. False when the result would not fit the command buffer: such a command is refused,
// never cut short (a cut command would open something else).
bool BuildBrowserCommand(const std::wstring& registered, const std::wstring& target, std::wstring& command);

// The text of the box shown when opening failed with a shell or program-start error code.
std::wstring OpenErrorText(int code);

// FitToText: the new window rectangle (parent coordinates) for a text of the given size.
// window/client: the control's window rectangle and client size; style: the static's style bits.
ctl::Rect FitToTextRect(const ctl::Rect& window, int clientWidth, int clientHeight, int textWidth, int textHeight,
                        unsigned staticStyle);

// The pixels of a dotted focus rectangle on the edge of `rect` (right and bottom exclusive):
// every second pixel along the edge, starting at the top-left corner, as the system's one.
std::vector<ctl::Point> FocusMarkDots(const ctl::Rect& rect);

} // namespace hyperlink
