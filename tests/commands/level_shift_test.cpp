#include "commands/level_shift.h"

#include "command_fixture.h"
#include "hex.h"

namespace qm720 {
namespace {

using test::hex;

constexpr const char* kRangeMessage = "Значения могут быть от -1000 до 1000";

class LevelShift : public test::CommandTest {};

TEST_F(LevelShift, ConfirmedShiftQueuesTheFrameAndLogsTheAmount) {
    const struct {
        void (*click)(frmSerial&);
        const char* box;
        const char* amount;
        const char* address;
        const char* frame;
        const char* log;
    } cases[] = {
        {shift_full_level, "sdv_verh", " +500 ", "1", "31 01 F4 01 F4 04", "Cmd Shift Hight: 500"},
        {shift_empty_level, "sdv_niz", "-1000", "3", "31 03 F9 FC 18 49", "Cmd Shift Low: -1000"},
    };
    for (const auto& c : cases) {
        select(c.address);
        h.form.control(c.box).caption = c.amount;
        h.dialogs.yes_no_answers = {true};
        c.click(h.form);
        EXPECT_EQ(h.form.link.pending_request, hex(c.frame)) << c.amount;
        EXPECT_EQ(log().back(), c.log);
        EXPECT_EQ(h.form.control(c.box).caption, c.amount);  // the box keeps its text
    }
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "Сейчас будет сдвинут верхний уровень. Вы уверены что это нужно?",
                           "Сейчас будет сдвинут уровень пустого. Вы уверены что это нужно?"}));
}

// A 16-bit number out of range is explained, before the address is looked at; other text is
// ignored without a word.
TEST_F(LevelShift, BadAmountsAreSilentOrExplainedBeforeTheAddress) {
    select_nothing();
    for (const auto& [amount, explained] :
         {std::pair{"1001", true}, std::pair{"-32768", true}, std::pair{"32768", false},
          std::pair{"abc", false}, std::pair{"50", false}}) {
        h.dialogs.shown.clear();
        h.form.control("sdv_verh").caption = amount;
        h.form.control("sdv_niz").caption = amount;
        shift_full_level(h.form);
        shift_empty_level(h.form);
        EXPECT_EQ(boxes(), std::vector<std::string>(explained ? 2 : 0, kRangeMessage)) << amount;
    }
    EXPECT_TRUE(h.form.link.pending_request.empty());
}

TEST_F(LevelShift, GenerationWritesTheCommandLineAndKeepsThePendingCommand) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    select_nothing();  // a remote sensor needs no selected address
    h.form.control("sdv_niz").caption = "-100";
    h.dialogs.input_answers = {"10"};
    generate_empty_shift_line(h.form);
    EXPECT_EQ(h.form.control("gen_txt").caption, "S485=6:8:150:19200:310AF9FF9C62");
    EXPECT_EQ(log(),
              std::vector<std::string>{"Cmd GenShift Down: S485=6:8:150:19200:310AF9FF9C62"});
    EXPECT_EQ(h.form.link.pending_request, hex("31 01 F5 FA"));
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "Введите сетевой адрес удаленного датчика");
    EXPECT_EQ(h.dialogs.shown[0].title, "Генерирование сдвига");
    EXPECT_EQ(h.dialogs.shown[0].default_text, "0");

    h.form.control("sdv_verh").caption = "20";
    h.dialogs.input_answers = {"199"};
    generate_full_shift_line(h.form);
    EXPECT_EQ(log().back(), "Cmd GenShift Up: S485=6:8:150:19200:31C7F4001419");
}

// Addresses from 200 on are no remote sensor's; the range is explained only after the address.
TEST_F(LevelShift, GenerationRefusesNonRemoteAddressesSilentlyThenExplainsTheRange) {
    h.form.control("sdv_verh").caption = "2000";
    h.dialogs.input_answers = {"200", "abc", "7"};
    for (int k = 0; k < 3; ++k) {
        generate_full_shift_line(h.form);
    }
    EXPECT_EQ(boxes(), (std::vector<std::string>{"Введите сетевой адрес удаленного датчика",
                                                 "Введите сетевой адрес удаленного датчика",
                                                 "Введите сетевой адрес удаленного датчика",
                                                 kRangeMessage}));
    EXPECT_EQ(h.form.control("gen_txt").caption, "");
    EXPECT_TRUE(log().empty());
}

}  // namespace
}  // namespace qm720
