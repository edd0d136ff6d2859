#include "sheet/SheetKeys.h"

#include <gtest/gtest.h>

using sheet::SheetKey;

TEST(SheetKeys, EscapeCancelsUnlessAListIsOpenTabMarksEnterGoesOn) {
    const struct {
        unsigned key;
        bool control, dropDown;
        SheetKey expected;
    } cases[] = {
        {0x1B, false, false, SheetKey::Cancel},        {0x1B, true, false, SheetKey::Cancel},
        {0x1B, false, true, SheetKey::PassOn},         {0x09, false, false, SheetKey::MarkThenPassOn},
        {0x09, false, true, SheetKey::MarkThenPassOn}, {0x09, true, false, SheetKey::PassOn},
        {0x0D, false, false, SheetKey::PassOn},        {0x0D, false, true, SheetKey::PassOn},
        {0x20, false, false, SheetKey::PassOn},        {0x28, false, false, SheetKey::PassOn},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sheet::ClassifySheetKey(c.key, c.control, c.dropDown), c.expected)
            << c.key << " control " << c.control << " list open " << c.dropDown;
}

TEST(SheetKeys, EnterPressesTheTabbedButtonOrElseOk) {
    const std::pair<int, int> cases[] = {{1, 1},     {2, 2},    {12321, 12321}, {1104, 1},
                                         {12320, 1}, {1043, 1}, {0, 1},         {-1, 1}};
    for (const auto& [focused, button] : cases)
        EXPECT_EQ(sheet::DefaultButtonAfterTab(focused), button) << focused;
}
