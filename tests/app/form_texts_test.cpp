#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_view.h"
#include "app/text_number.h"
#include "hex.h"
#include "support/form_harness.h"

// Texts the form shows (the frame view) and texts it reads (numbers typed into its boxes).
namespace qm720 {
namespace {

TEST(ReadableText, ShowsEveryByteAsItsMarkerOrItsCp1251Character) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"5B 5D 0D 0A 20 41", "<NAK><ACK><CR><LF>@A"},
        {"00 01 1F 2F", "@@@@"},
        {"30 39 3E 5A 5C 5E 7E 7F", "09>Z\\^~\x7F"},
        {"C0 DF E0 FF A8 B8 B0 B9 88 80", "АЯаяЁё°№€Ђ"},
        // 0x98 has no cp1251 character; U+FFFD cannot be mistaken for a byte that has one.
        {"98", "\xEF\xBF\xBD"},
        {"", ""},
    };
    for (const auto& [frame, shown] : cases) {
        EXPECT_EQ(readable_text(test::hex(frame)), shown) << frame;
    }
}

// Hex without leading zeros, two line breaks, the readable form; each frame replaces the last.
TEST(FrameView, ShowsHexThenTheReadableFormInPlaceOfTheLastFrame) {
    EXPECT_EQ(frame_view_text(test::hex("00 0F 10 3E")), "0 F 10 3E \r\n\r\n@@@>");
    EXPECT_EQ(frame_view_text({}), "\r\n\r\n");
    test::FormHarness harness;
    harness.form.show_frame(test::hex("31 05 F0 FE"));
    EXPECT_EQ(harness.form.control("txtRec").caption, "31 5 F0 FE \r\n\r\n1@рю");
    harness.form.show_frame(test::hex("3E"));
    EXPECT_EQ(harness.form.control("txtRec").caption, "3E \r\n\r\n>");
}

TEST(WholeNumber, ReadsSignedDecimalTextAndRefusesEverythingElse) {
    const std::vector<std::pair<std::string, std::int64_t>> read = {
        {"0", 0},       {"255", 255}, {"-40", -40}, {"+7", 7},
        {"  12  ", 12}, {"\t3\t", 3}, {"007", 7},   {"-0", 0}};
    for (const auto& [text, value] : read) {
        EXPECT_EQ(whole_number(text), value) << '"' << text << '"';
    }
    EXPECT_EQ(whole_number("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(whole_number("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    for (const std::string text :
         {"", "   ", "+", "-", "+-1", "--1", "1.5", "1,5", "1e3", "0x10", "&H10", "12a", "1 2",
          "- 1", "٣", "9223372036854775808", "-9223372036854775809", "99999999999999999999999"}) {
        EXPECT_EQ(whole_number(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(SelectedAddress, IsTheAddressTextWhenItIsAWholeNumberUpTo255) {
    const std::vector<std::pair<std::string, std::optional<std::uint8_t>>> cases = {
        {"0", 0},           {"255", 255},          {" 17 ", 17},
        {"+5", 5},          {"256", std::nullopt}, {"-1", std::nullopt},
        {"", std::nullopt}, {"1.5", std::nullopt}, {"abc", std::nullopt}};
    test::FormHarness harness;
    for (const auto& [text, address] : cases) {
        harness.form.control("CmbNet").caption = text;
        EXPECT_EQ(harness.form.selected_address(), address) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace qm720
