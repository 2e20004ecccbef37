#include "link/frame_format.h"

#include <gtest/gtest.h>

#include <string>

namespace lec {
namespace {

struct FieldCase {
    int value;
    const char* text;
};

TEST(StatusFrameFormat, FieldsAreRightAlignedInFiveCharacters) {
    const FieldCase cases[] = {
        {0, "    0"},
        {7, "    7"},
        {123, "  123"},
        {255, "  255"},
        {32767, "32767"},
        {99999, "99999"},
        {-5, "   -5"},
        {-9999, "-9999"},
        // Too wide for five characters: the nearest value that fits.
        {100000, "99999"},
        {2147483647, "99999"},
        {-10000, "-9999"},
        {-2147483647 - 1, "-9999"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatStatusField(c.value), c.text) << c.value;
    }
}

TEST(StatusFrameFormat, FrameIsTheFieldsInSlotOrder) {
    StatusFields fields{};
    for (int k = 0; k < kStatusFields; ++k) {
        fields[static_cast<std::size_t>(k)] = k * 1000 - 5;  // -5 .. 30995: every width
    }
    const std::string frame = formatStatusFrame(fields);
    ASSERT_EQ(frame.size(), static_cast<std::size_t>(kStatusFrameLength));
    for (int k = 0; k < kStatusFields; ++k) {
        EXPECT_EQ(std::stoi(frame.substr(static_cast<std::size_t>(k) * 5, 5)), k * 1000 - 5) << k;
    }
    EXPECT_EQ(frame.substr(0, 10), "   -5  995");
}

TEST(CommandFrameFormat, RoundTripKeepsEveryByteValue) {
    // CR, LF, XON, XOFF and the high bytes travel as plain values.
    CommandSlots slots{};
    const std::uint8_t values[] = {0, 13, 10, 17, 19, 123, 127, 128, 255};
    for (std::size_t k = 0; k < slots.size(); ++k) {
        slots[k] = values[k % std::size(values)];
    }
    const std::string frame = formatCommandFrame(slots);
    ASSERT_EQ(frame.size(), static_cast<std::size_t>(kCommandFrameLength));
    EXPECT_EQ(frame.substr(32), "\r\n");
    EXPECT_EQ(static_cast<std::uint8_t>(frame[7]), 128);
    const auto parsed = parseCommandFrame(frame);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, slots);
}

TEST(CommandFrameFormat, RejectsAnythingButThirtyTwoBytesAndCrLf) {
    const std::string good = formatCommandFrame(CommandSlots{});
    struct Case {
        const char* why;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"one byte short", good.substr(1)},
        {"one byte long", good + "\n"},
        {"LF CR", std::string(32, '\0') + "\n\r"},
        {"no LF", std::string(32, '\0') + "\r\r"},
        {"no CR", std::string(32, '\0') + "\n\n"},
        {"status text", std::string(34, ' ')},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(parseCommandFrame(c.bytes).has_value()) << c.why;
    }
    EXPECT_TRUE(parseCommandFrame(good).has_value());
}

}  // namespace
}  // namespace lec
