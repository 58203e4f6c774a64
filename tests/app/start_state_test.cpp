#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

#include "app/colours.h"
#include "app/frame_view.h"
#include "core/text_number.h"
#include "hex.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

// What `text` gives for each control, in window order.
template <typename Text>
std::string joined(const frmSerial& form, Text text) {
    std::string joined;
    for (const Control& control : form.controls()) {
        joined += text(control);
    }
    return joined;
}

TEST(StartState, NamesGroupsStatesCaptionsAndLayout) {
    test::FormHarness harness;
    const frmSerial& form = harness.form;
    // Group 9, what needs an open port, holds every control not named here with its group.
    EXPECT_EQ(
        joined(form,
               [](const Control& c) {
                   const std::string group = c.group == 0 ? "" : std::to_string(c.group);
                   return c.group == 9 ? "" : c.name + ':' + group + ' ';
               }),
        "Frame2:2 CmbPort:7 BTNOpenCom:2 Pic: Chg_pass: ProgressBar1: k: R_a:130 R_analog:130 "
        "R_f:130 R_fr:130 R_p:131 R_per:131 R_p485:163 Label2:163 D_4096:163 Label6:163 "
        "Gen_ust:5 Frame8: Frame6:5 sdv_verh:5 sdv_hi:163 gen_up:5 Frame7:5 sdv_niz:5 "
        "sdv_low:163 gen_down:5 ind_stab: Vvod_PWD:163 gen_txt:5 TMRComm: z255: Label7: "
        "Frame1: Label1: pic1: ");
    EXPECT_EQ(joined(form, [](const Control& c) { return c.enabled ? c.name + ' ' : ""; }),
              "Frame2 CmbPort BTNOpenCom Pic Chg_pass ProgressBar1 Gen_ust Frame8 Frame6 sdv_verh "
              "gen_up Frame7 sdv_niz gen_down ind_stab Vvod_PWD gen_txt z255 Label7 Frame1 Label1 "
              "txtRec pic1 ");
    const auto hidden = [&](const Control& c) {  // itself or by its frame
        const bool shown = c.visible && (c.parent.empty() || form.control(c.parent).visible);
        return shown ? "" : c.name + ' ';
    };
    EXPECT_EQ(joined(form, hidden),
              "k ko z255 Label7 Frame1 Label1 txtRec InstSN next_ser_num pic1 ");
    EXPECT_EQ(std::tuple(form.control("Pic").fill_colour, form.control("ind_stab").fill_colour,
                         form.control("pic1").fill_colour, form.control("TMRComm").interval_ms),
              std::tuple(kYellow, kLightGrey, kRed, 1000));

    // Label8 starts with a Latin C.
    std::string captions;
    for (const char* name : {"low", "hig", "Frame6", "Frame7", "Label8", "net", "Set_mode", "vv",
                             "CmbPort", "CmbNet"}) {
        captions += form.control(name).caption + '|';
    }
    EXPECT_EQ(captions,
              "Установить пустой|Установить полный|Полный|Пустой|Cтабильность уровня|"
              "Изменить &сетевой адрес|&Установить|-------------------|COM1:|0|");

    // Controls inside a frame fit it and do not overlap.
    for (const Control& a : form.controls()) {
        const Control& frame = form.control(a.parent.empty() ? a.name : a.parent);
        EXPECT_TRUE(&frame == &a || (a.left >= 0 && a.top >= 0 && a.left + a.width <= frame.width &&
                                     a.top + a.height <= frame.height))
            << a.name;
        for (const Control& b : form.controls()) {
            EXPECT_TRUE(&frame == &a || &a == &b || a.parent != b.parent ||
                        a.left >= b.left + b.width || b.left >= a.left + a.width ||
                        a.top >= b.top + b.height || b.top >= a.top + a.height)
                << a.name << " and " << b.name;
        }
    }
}

// 0x98 has no cp1251 character: U+FFFD stands for it.
TEST(FrameView, ShowsHexWithoutLeadingZerosThenTheReadableForm) {
    const std::pair<std::string, std::string> cases[] = {
        {"5B 5D 0D 0A 20 41", "<NAK><ACK><CR><LF>@A"},
        {"00 1F 30 39 3E 5A 5C 7E 7F", "@@09>Z\\~\x7F"},
        {"C0 FF A8 B8 B0 B9 88 80 98", "АяЁё°№€Ђ\xEF\xBF\xBD"}};
    for (const auto& [frame, shown] : cases) {
        EXPECT_EQ(readable_text(test::hex(frame)), shown) << frame;
    }
    EXPECT_EQ(frame_view_text(test::hex("00 0F 10 3E")), "0 F 10 3E \r\n\r\n@@@>");
}

TEST(WholeNumber, ReadsSignedDecimalTextAndRefusesEverythingElse) {
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    const std::pair<std::string, std::int64_t> read[] = {
        {"\t+7 ", 7}, {"-9223372036854775808", kMin}, {"9223372036854775807", ~kMin}};
    for (const auto& [text, value] : read) {
        EXPECT_EQ(whole_number(text), value) << '"' << text << '"';
    }
    for (const std::string text : {"   ", "+", "--1", "1 2", "9223372036854775808",
                                   "-9223372036854775809", "99999999999999999999999"}) {
        EXPECT_EQ(whole_number(text), std::nullopt) << '"' << text << '"';
    }
    test::FormHarness harness;
    const std::pair<std::string, std::optional<std::uint8_t>> addresses[] = {
        {"255", 255}, {"256", std::nullopt}, {"-1", std::nullopt}};
    for (const auto& [text, address] : addresses) {
        harness.form.control("CmbNet").caption = text;
        EXPECT_EQ(harness.form.selected_address(), address) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace qm720
