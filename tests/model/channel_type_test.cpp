#include "model/channel_type.h"
#include "model/config_database.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

TEST(ChannelType, TableRows) {
    const ChannelType* s = channelType(0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->name, "TC Type S");
    EXPECT_EQ(s->signalRange, "100mV");
    EXPECT_EQ(s->rangeCode, 2);
    EXPECT_EQ(s->linear, 0);
    EXPECT_EQ(permittedOptions(0), 0x05A0);

    const ChannelType* b = channelType(6);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->name, "TC Type B");
    EXPECT_EQ(permittedOptions(6), 0x0520);

    const ChannelType* tenVolts = channelType(11);
    ASSERT_NE(tenVolts, nullptr);
    EXPECT_EQ(tenVolts->name, "Linear 10V");
    EXPECT_EQ(tenVolts->signalRange, "10V");
    EXPECT_EQ(tenVolts->rangeCode, 0);
    EXPECT_EQ(tenVolts->linear, 1);
    EXPECT_EQ(permittedOptions(11), 0x0640);

    const ChannelType* pt100 = channelType(12);
    ASSERT_NE(pt100, nullptr);
    EXPECT_EQ(pt100->name, "Pt100");
    EXPECT_EQ(pt100->rangeCode, 3);
    EXPECT_EQ(pt100->linear, 0);
    EXPECT_EQ(permittedOptions(12), 0x0460);

    const ChannelType* current = channelType(13);
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->name, "Linear 20mA");
    EXPECT_EQ(current->signalRange, "1V");
    EXPECT_EQ(current->rangeCode, 1);

    const ChannelType* last = channelType(kChannelTypeCount - 1);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->name, "Linear 800R");
    EXPECT_EQ(last->rangeCode, 3);
    EXPECT_EQ(last->linear, 1);
}

TEST(ChannelType, TableHoldsTogether) {
    ASSERT_EQ(kChannelTypeCount, 15);
    const uint16_t options =
        kTypeFahrenheit | kTypeTenths | kTypeColdJunction | kTypeTcbo | kTypeScaled | kTypeNotScanned;
    for (int i = 0; i < kChannelTypeCount; ++i) {
        SCOPED_TRACE(i);
        const ChannelType* type = channelType(i);
        ASSERT_NE(type, nullptr);
        EXPECT_LE(type->name.size(), 12u);
        EXPECT_LE(type->signalRange.size(), 9u);
        EXPECT_FALSE(rangeName(type->rangeCode).empty());
        const uint16_t mask = permittedOptions(i);
        EXPECT_EQ(mask & ~options, 0);
        EXPECT_NE(mask & kTypeNotScanned, 0);
        EXPECT_EQ(type->linear == 1, (mask & kTypeScaled) != 0);
        EXPECT_EQ(isLinearType(i), type->linear == 1);
    }
    int linear = 0;
    for (int i : {9, 10, 11, 13, 14}) linear += isLinearType(i) ? 1 : 0;
    EXPECT_EQ(linear, 5);
}

TEST(ChannelType, IndexesOutsideTheTable) {
    for (int index : {-1, 15, 16, 31, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(channelType(index), nullptr);
        EXPECT_EQ(permittedOptions(index), 0);
        EXPECT_FALSE(isLinearType(index));
    }
}

TEST(ChannelType, RangeNames) {
    EXPECT_EQ(rangeName(0), "10V Range");
    EXPECT_EQ(rangeName(1), "1V Range");
    EXPECT_EQ(rangeName(2), "100mV Range");
    EXPECT_EQ(rangeName(3), "Resistance Range");
    EXPECT_EQ(rangeName(-1), "");
    EXPECT_EQ(rangeName(4), "");
    EXPECT_EQ(rangeName(INT32_MIN), "");
}

TEST(ChannelValue, TenthsAndDegrees) {
    const ChannelValue j = formatChannelValue(235, 0x0042);
    EXPECT_DOUBLE_EQ(j.value, 23.5);
    EXPECT_EQ(j.unit, "\u00B0C");

    const ChannelValue linear = formatChannelValue(235, 0x0009);
    EXPECT_DOUBLE_EQ(linear.value, 235.0);
    EXPECT_EQ(linear.unit, "  ");

    const ChannelValue fahrenheit = formatChannelValue(-40, 0x0023);
    EXPECT_DOUBLE_EQ(fahrenheit.value, -40.0);
    EXPECT_EQ(fahrenheit.unit, "\u00B0F");

    const ChannelValue pt100 = formatChannelValue(-1234, 0x006C);
    EXPECT_DOUBLE_EQ(pt100.value, -123.4);
    EXPECT_EQ(pt100.unit, "\u00B0F");
}

TEST(ChannelValue, LinearTypesHaveNoUnitWhateverTheBits) {
    for (uint16_t type : {9, 10, 11, 13, 14}) {
        SCOPED_TRACE(type);
        const ChannelValue v = formatChannelValue(1000, static_cast<uint16_t>(type | 0x0760));
        EXPECT_EQ(v.unit, "  ");
        EXPECT_DOUBLE_EQ(v.value, 100.0);
    }
    EXPECT_EQ(formatChannelValue(0, 12).unit, "\u00B0C");
}

TEST(ChannelValue, OnlyTheLowFiveBitsNameTheType) {
    // 0x0029 is type 9 with °F set; 0x002F is type 15, which has no entry.
    EXPECT_EQ(formatChannelValue(7, 0x0029).unit, "  ");
    EXPECT_EQ(formatChannelValue(7, 0x002F).unit, "\u00B0F");
    EXPECT_EQ(formatChannelValue(7, 0x001F).unit, "\u00B0C");
    EXPECT_EQ(formatChannelValue(7, 0xF802).unit, "\u00B0C");
    EXPECT_DOUBLE_EQ(formatChannelValue(7, 0xF802).value, 7.0);
}

}  // namespace
}  // namespace zat
