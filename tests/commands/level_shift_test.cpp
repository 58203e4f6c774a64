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
        {shift_full_level, "sdv_verh", "500", "1", "31 01 F4 01 F4 04", "Cmd Shift Hight: 500"},
        {shift_empty_level, "sdv_niz", "-1000", "1", "31 01 F9 FC 18 4E", "Cmd Shift Low: -1000"},
        {shift_full_level, "sdv_verh", "0", "3", "31 03 F4 00 00 D2", "Cmd Shift Hight: 0"},
        {shift_full_level, "sdv_verh", " +250 ", "1", "", "Cmd Shift Hight: 250"},
        {shift_empty_level, "sdv_niz", "-0", "1", "", "Cmd Shift Low: 0"},
    };
    for (const auto& c : cases) {
        select(c.address);
        h.form.control(c.box).caption = c.amount;
        h.dialogs.yes_no_answers = {true};
        c.click(h.form);
        if (*c.frame) {
            EXPECT_EQ(h.form.link.pending_request, hex(c.frame)) << c.amount;
        }
        EXPECT_EQ(log().back(), c.log);
        EXPECT_EQ(h.form.control(c.box).caption, c.amount);  // the box keeps its text
    }
    EXPECT_FALSE(h.dialogs.any_ran_dry());
}

TEST_F(LevelShift, QuestionsNameTheirLevel) {
    h.dialogs.yes_no_answers = {false, false};
    shift_full_level(h.form);
    shift_empty_level(h.form);
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "Сейчас будет сдвинут верхний уровень. Вы уверены что это нужно?",
                           "Сейчас будет сдвинут уровень пустого. Вы уверены что это нужно?"}));
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_TRUE(log().empty());
}

TEST_F(LevelShift, BadAmountsAreSilentOrExplained) {
    const struct {
        const char* amount;
        bool explained;
    } cases[] = {
        {"1001", true},    {"-1001", true},
        {"5000", true},    {"32767", true},
        {"-32768", true},  {"40000", false},
        {"-32769", false}, {"", false},
        {"abc", false},    {"1.5", false},
        {"1e3", false},    {"0x10", false},
        {"   ", false},    {"1234567890123456789012345678901234567890", false},
    };
    for (const auto& c : cases) {
        test::FormHarness fresh;
        fresh.form.start_up();
        fresh.form.control("sdv_verh").caption = c.amount;
        fresh.form.control("sdv_niz").caption = c.amount;
        shift_full_level(fresh.form);
        shift_empty_level(fresh.form);
        EXPECT_EQ(fresh.dialogs.shown.size(), c.explained ? 2u : 0u) << c.amount;
        for (const auto& box : fresh.dialogs.shown) {
            EXPECT_EQ(box.text, kRangeMessage);
        }
        EXPECT_TRUE(fresh.form.link.pending_request.empty()) << c.amount;
    }
}

TEST_F(LevelShift, RangeIsCheckedBeforeTheAddress) {
    select_nothing();
    h.form.control("sdv_verh").caption = "5000";
    shift_full_level(h.form);
    EXPECT_EQ(boxes(), std::vector<std::string>{kRangeMessage});
    h.form.control("sdv_verh").caption = "50";
    shift_full_level(h.form);
    EXPECT_EQ(h.dialogs.shown.size(), 1u);  // no address: silent, no question
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
}

TEST_F(LevelShift, GenerationRefusesNonRemoteAddressesSilently) {
    for (const char* answer : {"200", "255", "256", "-1", "", "abc", "1.0"}) {
        h.dialogs.input_answers = {answer};
        generate_full_shift_line(h.form);
    }
    EXPECT_EQ(h.dialogs.shown.size(), 7u);  // the seven input boxes and nothing else
    EXPECT_EQ(h.form.control("gen_txt").caption, "");
    EXPECT_TRUE(log().empty());
}

TEST_F(LevelShift, GenerationExplainsTheRangeOnlyAfterTheAddress) {
    h.form.control("sdv_verh").caption = "2000";
    h.dialogs.input_answers = {"7"};
    generate_full_shift_line(h.form);
    EXPECT_EQ(boxes(), (std::vector<std::string>{"Введите сетевой адрес удаленного датчика",
                                                 kRangeMessage}));
    EXPECT_EQ(h.form.control("gen_txt").caption, "");
}

}  // namespace
}  // namespace qm720
