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

// The option's selector in bits 1, 2 and 4, inversion in bit 0, smoothing in bit 3, the 4096
// range in bit 7; the confirmation redraws the controls later.
TEST_F(OperatingMode, ConfirmedModeIsLoggedQueuedAndRedrawnLater) {
    const struct {
        const char* option;
        bool inversion, smoothing, range_4096;
        const char* log;
    } cases[] = {
        {"R_a", true, false, true, "Cmd Change mode to 131"},
        {"R485", false, true, false, "Cmd Change mode to 8"},
        {"R_p", false, false, false, "Cmd Change mode to 6"},
        {nullptr, true, false, false, "Cmd Change mode to 1"},
        {"R_f", false, true, true, "Cmd Change mode to 140"},
        {"R_p485", false, false, false, "Cmd Change mode to 16"},
    };
    select("2");
    for (const auto& c : cases) {
        set_controls(c.option, c.inversion, c.smoothing, c.range_4096);
        h.form.show_next_mode = false;
        h.dialogs.yes_no_answers = {true};
        write_mode(h.form);
        EXPECT_EQ(log().back(), c.log);
        EXPECT_TRUE(h.form.show_next_mode);
    }
    EXPECT_EQ(h.form.link.pending_request, hex("31 02 F2 10 1D"));
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

// The line carries the flags of RS-485 output; the pending command still goes out.
TEST_F(OperatingMode, GeneratedModeLines) {
    set_controls("R485", true, true, true);
    h.form.link.pending_request = hex("31 01 FA BB");
    h.form.show_next_mode = false;
    h.dialogs.input_answers = {"10"};
    generate_mode_line(h.form);
    EXPECT_EQ(h.form.control("gen_txt").caption, "S485=5:5:150:19200:310AF289B5");
    EXPECT_EQ(log().back(), "Cmd GenMode: S485=5:5:150:19200:310AF289B5");
    EXPECT_EQ(h.form.link.pending_request, hex("31 01 FA BB"));
    EXPECT_FALSE(h.form.show_next_mode);
    EXPECT_EQ(h.dialogs.shown.back().title, "Изменение режима");
    EXPECT_EQ(h.dialogs.shown.back().default_text, "0");
}

TEST_F(OperatingMode, GenerationRefusalsComeAfterTheInputBox) {
    const std::string prompt = "Введите сетевой адрес удаленного датчика";
    set_controls("R_a", false, false, false);
    generate_mode_line(h.form);  // Cancel: refused all the same
    set_controls("R485", false, false, false);
    h.dialogs.input_answers = {"200", "256"};
    generate_mode_line(h.form);
    generate_mode_line(h.form);
    EXPECT_EQ(boxes(), (std::vector<std::string>{prompt, "В этом режиме нельзя изменить.", prompt,
                                                 "Адрес д.б. менее 200.", prompt}));
    EXPECT_EQ(h.form.control("gen_txt").caption, "");
}

}  // namespace
}  // namespace qm720
