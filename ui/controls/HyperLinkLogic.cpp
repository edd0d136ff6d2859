#include "controls/HyperLinkLogic.h"

namespace hyperlink {

ctl::Colour TextColour(bool hover, bool active, bool followed, unsigned style) {
    if (hover && (style & kUseHover))
        return kHoverColour;
    if (active && !(style & kNoActiveColour))
        return kActiveColour;
    if (followed)
        return kFollowedColour;
    return kLinkColour;
}

bool BuildBrowserCommand(const std::wstring& registered, const std::wstring& target, std::wstring& command) {
    std::wstring line = registered;
    size_t at = line.find(L"\"%1\"");
    if (at == std::wstring::npos)
        at = line.find(L"%1");
    if (at != std::wstring::npos)
        line.erase(at);
    line += L" ";
    line += target;
    if (line.size() + 1 > kCommandBufferChars)
        return false;
    command = line;
    return true;
}

std::wstring OpenErrorText(int code) {
    std::wstring message;
    switch (code) {
    case 0: message = L"The operating system is out\nof memory or resources."; break;
    case 2: message = L"The specified file was not found."; break;
    case 3: message = L"The specified path was not found."; break;
    case 5: message = L"The operating system denied\naccess to the specified file."; break;
    case 8: message = L"There was not enough memory to complete the operation."; break;
    case 11: message = L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."; break;
    case 26: message = L"A sharing violation occurred. "; break;
    case 27: message = L"The filename association is\nincomplete or invalid."; break;
    case 28: message = L"The DDE transaction could not\nbe completed because the request timed out."; break;
    case 29: message = L"The DDE transaction failed."; break;
    case 30:
        message = L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
        break;
    case 31: message = L"There is no application associated\nwith the given filename extension."; break;
    case 32: message = L"The specified dynamic-link library was not found."; break;
    default: message = L"Unknown Error (" + std::to_wstring(code) + L") occurred."; break;
    }
    return L"Can't open link:\n\n" + message;
}

ctl::Rect FitToTextRect(const ctl::Rect& window, int clientWidth, int clientHeight, int textWidth, int textHeight,
                        unsigned staticStyle) {
    constexpr unsigned kCentre = 0x1, kRight = 0x2, kCentreImage = 0x200;
    const int borderX = (window.right - window.left) - clientWidth;
    const int borderY = (window.bottom - window.top) - clientHeight;
    ctl::Rect r = window;
    if (staticStyle & kCentreImage) {
        const int shrink = ((r.bottom - r.top) - textHeight) / 2;
        r.top += shrink;
        r.bottom -= shrink;
    } else {
        r.bottom = r.top + textHeight;
    }
    if ((staticStyle & 0x3) == kCentre) {
        const int shrink = ((r.right - r.left) - textWidth) / 2;
        r.left += shrink;
        r.right -= shrink;
    } else if ((staticStyle & 0x3) == kRight) {
        r.left = r.right - textWidth;
    } else {
        r.right = r.left + textWidth;
    }
    return {r.left, r.top, r.right + borderX, r.bottom + borderY};
}

std::vector<ctl::Point> FocusMarkDots(const ctl::Rect& rect) {
    std::vector<ctl::Point> dots;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return dots;
    // Clockwise along the edge; the step of two carries on round each corner.
    const int perimeter = width == 1 || height == 1 ? width * height : 2 * (width + height) - 4;
    for (int step = 0; step < perimeter; step += 2) {
        int s = step;
        if (s < width) {
            dots.push_back({rect.left + s, rect.top});
            continue;
        }
        s -= width - 1;
        if (s < height) {
            dots.push_back({rect.right - 1, rect.top + s});
            continue;
        }
        s -= height - 1;
        if (s < width) {
            dots.push_back({rect.right - 1 - s, rect.bottom - 1});
            continue;
        }
        s -= width - 1;
        dots.push_back({rect.left, rect.bottom - 1 - s});
    }
    return dots;
}

} // namespace hyperlink
