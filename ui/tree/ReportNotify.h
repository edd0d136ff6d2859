// The notifications the property tree sends its parent (with WM_NOTIFY, while the control has
// the notify style), and what they carry.
#pragma once

#include <cstdint>

class CReportItem;

inline constexpr int RTN_ITEMADDED = -1101;
inline constexpr int RTN_ITEMREMOVING = -1102;
inline constexpr int RTN_SELCHANGED = -1107;
inline constexpr int RTN_ITEMEXPANDING = -1108;
inline constexpr int RTN_DIVIDERDRAG = -1109;
inline constexpr int RTN_ITEMACTIVATE = -1110;
inline constexpr int RTN_CHECKCHANGED = -1112;
inline constexpr int RTN_CLICK = -2;  // the standard click
inline constexpr int RTN_RCLICK = -5; // the standard right click

namespace tree {

// The item reference of the click notification: all bits set.
inline CReportItem* const kAllItems = reinterpret_cast<CReportItem*>(~std::uintptr_t{0});

} // namespace tree
