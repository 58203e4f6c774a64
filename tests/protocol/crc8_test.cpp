#include "protocol/crc8.h"

#include <gtest/gtest.h>

#include "hex.h"

namespace qm720 {
namespace {

using test::hex;

// Textbook bit-by-bit form of the reflected 0x8C polynomial, to check the loop-free step.
std::uint8_t bitwise_step(std::uint8_t data, std::uint8_t reg) {
    std::uint8_t value = reg ^ data;
    for (int bit = 0; bit < 8; ++bit) {
        value = (value & 1) ? static_cast<std::uint8_t>((value >> 1) ^ 0x8C)
                            : static_cast<std::uint8_t>(value >> 1);
    }
    return value;
}

TEST(Crc8, LoopFreeStepMatchesBitwiseReferenceForEveryDataAndRegister) {
    int mismatches = 0;
    for (int data = 0; data < 256; ++data) {
        for (int reg = 0; reg < 256; ++reg) {
            std::uint8_t cr = static_cast<std::uint8_t>(reg);
            const std::uint8_t returned = crc(static_cast<std::uint8_t>(data), cr);
            const std::uint8_t expected =
                bitwise_step(static_cast<std::uint8_t>(data), static_cast<std::uint8_t>(reg));
            if (returned != expected || cr != expected) {
                ++mismatches;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Crc8, CheckValueOfDigitsOneToNineIsA1) {
    const std::string digits = "123456789";
    const Bytes bytes(digits.begin(), digits.end());
    EXPECT_EQ(crc_of(bytes, bytes.size()), 0xA1);
}

TEST(Crc8, ControlSummOfEmptyStringIsSingleZero) { EXPECT_EQ(Control_summ({}), Bytes{0x00}); }

TEST(Crc8, ControlSummAppendsCrcOfWholeFrame) {
    const struct {
        const char* body;
        const char* framed;
    } cases[] = {
        {"31 00 F0", "31 00 F0 01"}, {"31 01 F0", "31 01 F0 C5"}, {"31 FF F0", "31 FF F0 80"},
        {"31 00 FC", "31 00 FC A2"}, {"31 01 FC", "31 01 FC 66"}, {"31 FF", "31 FF DC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Control_summ(hex(c.body)), hex(c.framed)) << c.body;
    }
}

TEST(Crc8, FramesKeepTheirZeroBytes) {
    const Bytes body = hex("31 00 F6 00 00 00 00");
    const Bytes framed = Control_summ(body);
    ASSERT_EQ(framed.size(), 8u);
    EXPECT_EQ(Bytes(framed.begin(), framed.end() - 1), body);
    EXPECT_EQ(framed.back(), crc_of(body, body.size()));
}

}  // namespace
}  // namespace qm720
