#include "app/frame_view.h"

#include <gtest/gtest.h>

#include <string>

#include "hex.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

struct CleanCase {
    std::string frame;
    std::string shown;
};

TEST(CleanStr, ShowsEveryByteAsItsMarkerOrItsCp1251Character) {
    const std::vector<CleanCase> cases = {
        {"5B 5D 0D 0A 20 41", "<NAK><ACK><CR><LF>@A"},
        {"31 05 F0 FE", "1@рю"},
        {"00 01 1F 2F", "@@@@"},
        {"30 39 3E 5A 5C 5E 7E 7F", "09>Z\\^~\x7F"},
        {"C0 DF E0 FF A8 B8", "АЯаяЁё"},
        {"B0 B9 88 80", "°№€Ђ"},
        // 0x98 has no cp1251 character; U+FFFD cannot be mistaken for a byte that has one.
        {"98", "\xEF\xBF\xBD"},
        {"", ""},
    };
    for (const CleanCase& c : cases) {
        EXPECT_EQ(CleanStr(test::hex(c.frame)), c.shown) << c.frame;
    }
}

TEST(FrameView, HexWithoutLeadingZerosThenTwoLineBreaksThenTheReadableForm) {
    EXPECT_EQ(frame_view_text(test::hex("31 05 F0 FE")), "31 5 F0 FE \r\n\r\n1@рю");
    EXPECT_EQ(frame_view_text(test::hex("00 0F 10 3E")), "0 F 10 3E \r\n\r\n@@@>");
    EXPECT_EQ(frame_view_text({}), "\r\n\r\n");
}

TEST(FrameView, ALongFrameIsShownWhole) {
    const Bytes frame(300, 0x41);
    const std::string text = frame_view_text(frame);
    const auto breaks = text.find("\r\n\r\n");
    ASSERT_NE(breaks, std::string::npos);
    std::string expected_hex;
    for (int i = 0; i < 300; ++i) {
        expected_hex += "41 ";
    }
    EXPECT_EQ(text.substr(0, breaks), expected_hex);
    EXPECT_EQ(text.substr(breaks + 4), std::string(300, 'A'));
}

TEST(FrameView, OutWinReplacesTheTextOfTxtRec) {
    test::FormHarness harness;
    harness.form.out_win(test::hex("31 05 F0 FE"));
    harness.form.out_win(test::hex("3E"));
    EXPECT_EQ(harness.form.control("txtRec").caption, "3E \r\n\r\n>");
}

}  // namespace
}  // namespace qm720
