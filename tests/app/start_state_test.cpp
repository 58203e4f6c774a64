#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "app/colours.h"
#include "app/frame_view.h"
#include "app/log_file.h"
#include "app/text_number.h"
#include "hex.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

// The names of the controls for which `holds` is true, in window order, each followed by a blank.
template <typename Holds>
std::string names_where(const frmSerial& form, Holds holds) {
    std::string names;
    for (const Control& control : form.controls()) {
        if (holds(control)) {
            names += control.name + ' ';
        }
    }
    return names;
}

// Facts about the window as the operator first sees it that a slip in its table would change.
TEST(StartState, NamesGroupsStatesAndTheCaptionsThatMatter) {
    test::FormHarness harness;
    const frmSerial& form = harness.form;
    // Group 9, what needs an open port, holds every control not named here.
    const std::pair<std::string, std::string> groups[] = {
        {"", "Pic Chg_pass ProgressBar1 k Frame8 ind_stab TMRComm z255 Label7 Frame1 Label1 pic1 "},
        {"2", "Frame2 BTNOpenCom "},
        {"7", "CmbPort "},
        {"5", "Gen_ust Frame6 sdv_verh gen_up Frame7 sdv_niz gen_down gen_txt "},
        {"130", "R_a R_analog R_f R_fr "},
        {"131", "R_p R_per "},
        {"163", "R_p485 Label2 D_4096 Label6 sdv_hi sdv_low Vvod_PWD "}};
    std::size_t grouped = 0;
    for (const auto& [group, names] : groups) {
        EXPECT_EQ(names_where(form, [&](const Control& c) { return c.tag == group; }), names);
        grouped += static_cast<std::size_t>(std::ranges::count(names, ' '));
    }
    EXPECT_EQ(std::ranges::count(form.controls(), "9", &Control::tag) + grouped,
              form.controls().size());
    EXPECT_EQ(names_where(form, [](const Control& c) { return c.enabled; }),
              "Frame2 CmbPort BTNOpenCom Pic Chg_pass ProgressBar1 Gen_ust Frame8 Frame6 sdv_verh "
              "gen_up Frame7 sdv_niz gen_down ind_stab Vvod_PWD gen_txt z255 Label7 Frame1 Label1 "
              "txtRec pic1 ");
    EXPECT_EQ(names_where(form,
                          [&](const Control& c) {  // hidden itself or by its frame
                              return !c.visible ||
                                     (!c.parent.empty() && !form.control(c.parent).visible);
                          }),
              "k ko z255 Label7 Frame1 Label1 txtRec InstSN next_ser_num pic1 ");
    EXPECT_EQ(std::tuple(form.control("Pic").fill_colour, form.control("ind_stab").fill_colour,
                         form.control("pic1").fill_colour, form.control("TMRComm").interval_ms),
              std::tuple(kYellow, kLightGrey, kRed, 1000));

    // Which level a control acts on only its caption or frame says; the rest are easily mistyped:
    // a Latin first letter, access keys, the unknown version, the lists before they are filled.
    const std::pair<const char*, const char*> captions[] = {{"low", "Установить пустой"},
                                                            {"hig", "Установить полный"},
                                                            {"Frame6", "Полный"},
                                                            {"Frame7", "Пустой"},
                                                            {"Label8", "Cтабильность уровня"},
                                                            {"net", "Изменить &сетевой адрес"},
                                                            {"Set_mode", "&Установить"},
                                                            {"vv", "-------------------"},
                                                            {"CmbPort", "COM1:"},
                                                            {"CmbNet", "0"}};
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(form.control(name).caption, caption) << name;
    }
    EXPECT_EQ(form.control("sdv_verh").parent + form.control("sdv_niz").parent, "Frame6Frame7");
}

TEST(StartState, ControlsInsideAFrameFitItAndDoNotOverlap) {
    test::FormHarness harness;
    for (const Control& a : harness.form.controls()) {
        const Control& frame = harness.form.control(a.parent.empty() ? a.name : a.parent);
        EXPECT_TRUE(&frame == &a || (a.left >= 0 && a.top >= 0 && a.left + a.width <= frame.width &&
                                     a.top + a.height <= frame.height))
            << a.name;
        for (const Control& b : harness.form.controls()) {
            EXPECT_TRUE(&frame == &a || &a == &b || a.parent != b.parent ||
                        a.left >= b.left + b.width || b.left >= a.left + a.width ||
                        a.top >= b.top + b.height || b.top >= a.top + a.height)
                << a.name << " and " << b.name;
        }
    }
}

// Start-up fills the lists; a log that cannot start is reported, and the window works on
// unrecorded.
TEST(FormLoad, FillsTheListsAndReportsALogThatCannotStart) {
    test::FormHarness harness;
    // Under a regular file no folder can be made, not even by root.
    const std::filesystem::path not_a_folder = harness.folder.path() / "program";
    std::ofstream(not_a_folder) << "x";
    frmSerial form(harness.port, harness.dialogs, harness.clock, not_a_folder.string());
    form.start_up();
    form.log_line("nowhere to go");
    const auto cause = make_private_folders(not_a_folder / "log");
    ASSERT_TRUE(cause.has_value());

    const Control& ports = form.control("CmbPort");
    EXPECT_EQ(std::tuple(ports.list.size(), ports.list.back(), ports.list_index, ports.caption),
              std::tuple(30u, std::string("COM30"), 0, std::string("COM1")));
    EXPECT_EQ(form.control("CmbNet").list, std::vector<std::string>{"0"});
    ASSERT_EQ(harness.dialogs.shown.size(), 1u);
    const test::ShownBox& box = harness.dialogs.shown[0];
    EXPECT_EQ(std::tie(box.kind, box.text, box.title, box.icon),
              std::make_tuple(test::BoxKind::Message, cause->description,
                              "Error#" + std::to_string(cause->number), BoxIcon::Critical));
    EXPECT_TRUE(form.log.log_path().empty() && harness.port.opens.empty());
}

// Each byte as its marker or its cp1251 character; 0x98 has none, and U+FFFD cannot be mistaken
// for a byte that has one. The view: hex without leading zeros, two line breaks, the readable form,
// each frame in place of the last.
TEST(FrameView, ShowsHexThenTheReadableFormInPlaceOfTheLastFrame) {
    const std::pair<std::string, std::string> cases[] = {
        {"5B 5D 0D 0A 20 41", "<NAK><ACK><CR><LF>@A"},
        {"00 1F 30 39 3E 5A 5C 7E 7F", "@@09>Z\\~\x7F"},
        {"C0 FF A8 B8 B0 B9 88 80 98", "АяЁё°№€Ђ\xEF\xBF\xBD"}};
    for (const auto& [frame, shown] : cases) {
        EXPECT_EQ(readable_text(test::hex(frame)), shown) << frame;
    }
    EXPECT_EQ(frame_view_text({}), "\r\n\r\n");
    test::FormHarness harness;
    harness.form.show_frame(test::hex("31 05 F0 FE"));
    harness.form.show_frame(test::hex("00 0F 10 3E"));
    EXPECT_EQ(harness.form.control("txtRec").caption, "0 F 10 3E \r\n\r\n@@@>");
}

TEST(WholeNumber, ReadsSignedDecimalTextAndRefusesEverythingElse) {
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    const std::pair<std::string, std::optional<std::int64_t>> cases[] = {
        {" +7 ", 7},
        {"\t-40\t", -40},
        {"007", 7},
        {"-0", 0},
        {"9223372036854775807", -(kMin + 1)},
        {"-9223372036854775808", kMin},
        {"", {}},
        {"   ", {}},
        {"+", {}},
        {"--1", {}},
        {"1.5", {}},
        {"12a", {}},
        {"1 2", {}},
        {"9223372036854775808", {}},
        {"-9223372036854775809", {}},
        {"99999999999999999999999", {}}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(whole_number(text), value) << '"' << text << '"';
    }
    // The address box: a whole number up to 255.
    test::FormHarness harness;
    for (const auto& [text, address] :
         {std::pair<std::string, std::optional<std::uint8_t>>{"255", 255},
          {" 17 ", 17},
          {"256", {}},
          {"-1", {}},
          {"abc", {}}}) {
        harness.form.control("CmbNet").caption = text;
        EXPECT_EQ(harness.form.selected_address(), address) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace qm720
