#include "DeviceIds.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace detection;

TEST(Text, NumbersAndPlaceholders) {
    EXPECT_EQ(FormatDecimal(0.346, 2, L"."), L"0.35");
    EXPECT_EQ(FormatDecimal(1.05, 2, L","), L"1,05");  // the zero after the separator stays
    EXPECT_EQ(FormatDecimal(-0.001, 1, L"."), L"0.0"); // no "-0.0"
    EXPECT_EQ(FormatDecimal(std::nan(""), 2, L"."), L"-");
    // Past 2^63 once scaled: shown as unknown, never rounded into garbage.
    EXPECT_EQ(FormatDecimal(1e17, 2, L"."), L"-");
    EXPECT_EQ(FormatDecimal(-1e300, 0, L"."), L"-");
    EXPECT_EQ(FormatDecimal(9.2e16, 2, L"."), L"92000000000000000.00");
    EXPECT_EQ(FormatDecimal(2.5, 40, L"."), L"2.500000000000000") << "decimals beyond a double's are dropped";
    EXPECT_EQ(FormatDecimal(2.5, -3, L"."), L"3");
    EXPECT_EQ(FormatHexId(0x191), L"0x0191");

    EXPECT_EQ(Substitute(L"{2} before {1}, {1} again", {L"one", L"two"}), L"two before one, one again");
    EXPECT_EQ(Substitute(L"{3} {x} {} {1", {L"a"}), L"{3} {x} {} {1"); // unknown placeholders stay
    EXPECT_EQ(Substitute(L"{1}", {L"{2}", L"no second pass"}), L"{2}");
}

TEST(DeviceIds, PlugAndPlayIdsAndRegistryPaths) {
    const auto ids = ParsePciIds(L"PCI\\VEN_10DE&DEV_0191&SUBSYS_00000000&REV_A2");
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->vendorId, 0x10DEu);
    EXPECT_EQ(ids->deviceId, 0x0191u);
    EXPECT_EQ(ParsePciIds(L"pci\\ven_1002&dev_9a0b")->deviceId, 0x9A0Bu);
    EXPECT_FALSE(ParsePciIds(L"PCI\\VEN_10DE&DEV_01"));     // cut short
    EXPECT_FALSE(ParsePciIds(L"ROOT\\BasicDisplay\\0000")); // no PCI device

    EXPECT_EQ(MachineSubkey(L"\\REGISTRY\\MACHINE\\System\\CurrentControlSet"), L"System\\CurrentControlSet");
    EXPECT_FALSE(MachineSubkey(L"\\Registry\\User\\S-1-5\\Software"));
}
