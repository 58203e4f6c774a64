#include "commands/operator_input.h"

#include <gtest/gtest.h>

namespace qm720 {
namespace {

TEST(OperatorInput, NumbersInRange) {
    const struct {
        const char* text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"5", 5},     {" 5 ", 5},   {"+5", 5},     {"-0", 0},     {"-5", std::nullopt},
        {"11", std::nullopt},       {"1.5", std::nullopt},        {"1e3", std::nullopt},
        {"0x10", std::nullopt},     {"", std::nullopt},           {"five", std::nullopt},
        {"1234567890123456789012345678901234567890", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(number_in_range(c.text, 0, 10), c.value) << c.text;
    }
}

TEST(OperatorInput, RemoteAddressIsAByte) {
    EXPECT_EQ(remote_address("0"), std::optional<std::uint8_t>(0));
    EXPECT_EQ(remote_address("255"), std::optional<std::uint8_t>(255));
    EXPECT_FALSE(remote_address("256").has_value());
    EXPECT_FALSE(remote_address("-1").has_value());
    EXPECT_FALSE(remote_address("").has_value());
}

}  // namespace
}  // namespace qm720
