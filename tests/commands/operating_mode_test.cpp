#include "commands/operating_mode.h"

#include "command_fixture.h"
#include "hex.h"

namespace qm720 {
namespace {

using test::hex;

class OperatingMode : public test::CommandTest {
  protected:
    // Chooses one output option (or none with nullptr) and the three flags.
    void set_controls(const char* option, bool inversion, bool smoothing, bool range_4096) {
        for (const char* name : {"R485", "R_a", "R_f", "R_p", "R_p485"}) {
            h.form.control(name).checked = option != nullptr && std::string(name) == option;
        }
        h.form.control("iinv").checked = inversion;
        h.form.control("usredn").checked = smoothing;
        h.form.control("D_4096").checked = range_4096;
    }
};

TEST_F(OperatingMode, ConfirmedModeIsLoggedQueuedAndRedrawnLater) {
    const struct {
        const char* address;
        const char* option;
        bool inversion, smoothing, range_4096;
        const char* frame;
        const char* log;
    } cases[] = {
        {"1", "R_a", true, false, true, "31 01 F2 83 0A", "Cmd Change mode to 131"},
        {"1", "R485", false, false, false, "31 01 F2 00 64", "Cmd Change mode to 0"},
        {"1", "R485", false, true, false, "31 01 F2 08 A6", "Cmd Change mode to 8"},
        {"2", "R_p485", false, false, false, "31 02 F2 10 1D", "Cmd Change mode to 16"},
        {"2", "R_p", false, false, false, "31 02 F2 06 5D", "Cmd Change mode to 6"},
        {"1", nullptr, true, false, false, "", "Cmd Change mode to 1"},
        {"1", "R_f", false, true, true, "", "Cmd Change mode to 140"},
    };
    for (const auto& c : cases) {
        select(c.address);
        set_controls(c.option, c.inversion, c.smoothing, c.range_4096);
        h.form.show_next_mode = false;
        h.dialogs.yes_no_answers = {true};
        write_mode(h.form);
        if (*c.frame) {
            EXPECT_EQ(h.form.link.pending_request, hex(c.frame)) << c.log;
        }
        EXPECT_EQ(log().back(), c.log);
        EXPECT_TRUE(h.form.show_next_mode);
    }
    EXPECT_EQ(h.dialogs.shown.back().text,
              "Сейчас будет изменен режим работы датчика. Вы уверены что это нужно?");
}

TEST_F(OperatingMode, NoAnswerOrNoAddressSendsNothing) {
    h.dialogs.yes_no_answers = {false};
    write_mode(h.form);
    select_nothing();
    write_mode(h.form);
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_TRUE(log().empty());
}

TEST_F(OperatingMode, GeneratedModeLines) {
    const struct {
        const char* answer;
        bool inversion, smoothing, range_4096;
        const char* line;
    } cases[] = {
        {"10", false, true, false, "S485=5:5:150:19200:310AF20867"},
        {"10", true, true, true, "S485=5:5:150:19200:310AF289B5"},
        {"199", false, false, false, "S485=5:5:150:19200:31C7F200E6"},
    };
    for (const auto& c : cases) {
        set_controls("R485", c.inversion, c.smoothing, c.range_4096);
        h.form.link.pending_request = hex("31 01 FA BB");
        h.form.show_next_mode = false;
        h.dialogs.input_answers = {c.answer};
        generate_mode_line(h.form);
        EXPECT_EQ(h.form.control("gen_txt").caption, c.line);
        EXPECT_EQ(log().back(), std::string("Cmd GenMode: ") + c.line);
        EXPECT_EQ(h.form.link.pending_request,
                  hex("31 01 FA BB"));  // the pending command still goes out
        EXPECT_FALSE(h.form.show_next_mode);
    }
    EXPECT_EQ(h.dialogs.shown.back().title, "Изменение режима");
}

TEST_F(OperatingMode, GenerationRefusalsComeAfterTheInputBox) {
    set_controls("R_a", false, false, false);
    h.dialogs.input_answers = {"10"};
    generate_mode_line(h.form);
    generate_mode_line(h.form);  // Cancel: refused all the same
    EXPECT_EQ(boxes(),
              (std::vector<std::string>{
                  "Введите сетевой адрес удаленного датчика", "В этом режиме нельзя изменить.",
                  "Введите сетевой адрес удаленного датчика", "В этом режиме нельзя изменить."}));

    h.dialogs.shown.clear();
    set_controls("R485", false, false, false);
    h.dialogs.input_answers = {"200", "256", "abc", ""};
    for (int k = 0; k < 4; ++k) {
        generate_mode_line(h.form);
    }
    EXPECT_EQ(boxes(), (std::vector<std::string>{"Введите сетевой адрес удаленного датчика",
                                                 "Адрес д.б. менее 200.",
                                                 "Введите сетевой адрес удаленного датчика",
                                                 "Введите сетевой адрес удаленного датчика",
                                                 "Введите сетевой адрес удаленного датчика"}));
    EXPECT_EQ(h.form.control("gen_txt").caption, "");
}

}  // namespace
}  // namespace qm720
