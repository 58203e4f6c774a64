#include "app/text_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace qm720 {
namespace {

struct NumberCase {
    std::string text;
    std::optional<std::int64_t> value;
};

class WholeNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumber, ReadsSignedDecimalTextAndRefusesEverythingElse) {
    EXPECT_EQ(whole_number(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
constexpr auto kMin = std::numeric_limits<std::int64_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeNumber,
    testing::Values(NumberCase{"0", 0}, NumberCase{"255", 255}, NumberCase{"-40", -40},
                    NumberCase{"+7", 7}, NumberCase{"  12  ", 12}, NumberCase{"\t3\t", 3},
                    NumberCase{"007", 7}, NumberCase{"-0", 0},
                    NumberCase{"9223372036854775807", kMax},
                    NumberCase{"-9223372036854775808", kMin},
                    NumberCase{"9223372036854775808", std::nullopt},
                    NumberCase{"-9223372036854775809", std::nullopt},
                    NumberCase{std::string(40, '9'), std::nullopt}, NumberCase{"", std::nullopt},
                    NumberCase{"   ", std::nullopt}, NumberCase{"+", std::nullopt},
                    NumberCase{"-", std::nullopt}, NumberCase{"+-1", std::nullopt},
                    NumberCase{"--1", std::nullopt}, NumberCase{"1.5", std::nullopt},
                    NumberCase{"1,5", std::nullopt}, NumberCase{"1e3", std::nullopt},
                    NumberCase{"0x10", std::nullopt}, NumberCase{"&H10", std::nullopt},
                    NumberCase{"12a", std::nullopt}, NumberCase{"1 2", std::nullopt},
                    NumberCase{"- 1", std::nullopt}, NumberCase{"٣", std::nullopt}));

}  // namespace
}  // namespace qm720
