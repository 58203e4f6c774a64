#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/combo_box.h"
#include "app/frame_view.h"
#include "commands/calibration.h"
#include "commands/level_shift.h"
#include "commands/operating_mode.h"
#include "commands/password.h"
#include "commands/sensor_identity.h"
#include "hex.h"
#include "protocol/crc8.h"
#include "protocol/requests.h"
#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

using test::hex;
using Texts = std::vector<std::string>;
using Box = std::tuple<std::string, std::string, std::string>;  // text, title, default

constexpr const char* kRemotePrompt = "Введите сетевой адрес удаленного датчика";
constexpr const char* kShiftRange = "Значения могут быть от -1000 до 1000";
constexpr const char* kNoAddress = "Установите существующий сетевой адрес";
constexpr const char* kSerialRange = "Введите число в диапазоне 0....2 000 000";

// A started window with sensor 1 selected, as after a scan that found it and its first answers.
class Commands : public ::testing::Test {
  protected:
    void SetUp() override {
        h.form.start_up();
        select("1");
        h.hear(test::Measurement{}.frame());
        h.hear(test::identity_reply(1000, 131));
    }
    // An empty text is no address.
    void select(const std::string& address) { set_single_entry(h.form.control("CmbNet"), address); }
    Box box(std::size_t k) const {
        const auto& b = h.dialogs.shown.at(k);
        return {b.text, b.title, b.default_text};
    }
    // Clicks with these answers ready; the boxes this click showed.
    Texts click(void (*handler)(frmSerial&), std::deque<std::string> typed = {},
                std::deque<bool> yes = {}) {
        h.dialogs.shown.clear();
        h.dialogs.input_answers = std::move(typed);
        h.dialogs.yes_no_answers = std::move(yes);
        handler(h.form);
        Texts texts(h.dialogs.shown.size());
        std::ranges::transform(h.dialogs.shown, texts.begin(), &test::ShownBox::text);
        return texts;
    }
    Texts log() const { return logged_texts(h); }
    std::string& caption(const char* name) { return h.form.control(name).caption; }
    const Bytes& pending() const { return h.form.session.queued_request(); }
    void queue(const Bytes& request) { h.form.session.queue(request); }

    test::FormHarness h;
};

// No keeps the pending request; Yes replaces it with the calibration, shown and logged.
TEST_F(Commands, ConfirmedCalibrationQueuesShowsAndLogsTheFrame) {
    const std::string full =
        "Сейчас будет произведена перекалибровка верхнего уровня. Вы уверены что это нужно?";
    queue(hex("31 FF DC"));
    EXPECT_EQ(click(calibrate_full, {}, {false}), Texts{full});
    EXPECT_EQ(pending(), hex("31 FF DC"));
    click(calibrate_full, {}, {true});
    EXPECT_EQ(pending(), hex("31 01 F5 FA"));
    EXPECT_EQ(caption("txtRec"), frame_view_text(pending()));
    EXPECT_EQ(
        click(calibrate_empty, {}, {true}),
        Texts{"Сейчас будет произведена перекалибровка нижнего уровня. Вы уверены что это нужно?"});
    EXPECT_EQ(pending(), hex("31 01 FA BB"));
    EXPECT_EQ(log(), (Texts{"Cmd SetHight ", "Cmd SetLow "}));
}

// The address is checked first, then whether the sensor has told its mode since it was
// selected, then the mode it told (not the box): another sensor's mode byte must not decide.
TEST_F(Commands, CalibrationRefusesInTheOrderAddressUnknownSensorSmoothing) {
    h.hear(test::Measurement{.mode_byte = 0x08}.frame());
    select("");
    EXPECT_TRUE(click(calibrate_full).empty());

    select("05");
    h.form.follow_selected_address();
    EXPECT_EQ(click(calibrate_empty), Texts{"Нет данных от датчика с адресом 05"});
    h.hear(test::Measurement{.address = 5, .mode_byte = 0x08}.frame(), 5);
    h.form.control("usredn").checked = false;
    EXPECT_EQ(click(calibrate_full),
              Texts{" На время калибровки снимите СГЛАЖИВАНИЕ и нажмите УСТАНОВИТЬ"});
    EXPECT_TRUE(pending().empty());
    h.hear(test::Measurement{.address = 5, .mode_byte = 0x00}.frame(), 5);
    h.form.control("usredn").checked = true;
    click(calibrate_full, {}, {true});
    EXPECT_EQ(pending(), hex("31 05 F5 C1"));
}

// Yes queues the shift and logs the amount. Out of range is explained before the address is
// looked at; text that is no 16-bit number is ignored.
TEST_F(Commands, ShiftsAndShiftLines) {
    caption("sdv_verh") = " +500 ";
    EXPECT_EQ(click(shift_full_level, {}, {true}),
              Texts{"Сейчас будет сдвинут верхний уровень. Вы уверены что это нужно?"});
    EXPECT_EQ(pending(), hex("31 01 F4 01 F4 04"));
    select("3");
    caption("sdv_niz") = "-1000";
    EXPECT_EQ(click(shift_empty_level, {}, {true}),
              Texts{"Сейчас будет сдвинут уровень пустого. Вы уверены что это нужно?"});
    EXPECT_EQ(pending(), hex("31 03 F9 FC 18 49"));

    select("");
    for (const auto& [amount, explained] : {std::pair{"1001", true}, std::pair{"-1001", true},
                                            std::pair{"32768", false}, std::pair{"50", false}}) {
        caption("sdv_verh") = caption("sdv_niz") = amount;
        EXPECT_EQ(click(shift_full_level), Texts(explained ? 1 : 0, kShiftRange)) << amount;
        EXPECT_EQ(click(shift_empty_level), Texts(explained ? 1 : 0, kShiftRange)) << amount;
    }

    // Generation needs no selected address and leaves a pending command to go out; addresses
    // from 200 on are refused silently, and the amount is judged only after the address.
    queue(hex("31 01 F5 FA"));
    caption("sdv_niz") = "-100";
    caption("sdv_verh") = "20";
    click(generate_empty_shift_line, {"10"});
    EXPECT_EQ(box(0), (Box{kRemotePrompt, "Генерирование сдвига", "0"}));
    EXPECT_EQ(caption("gen_txt"), "S485=6:8:150:19200:310AF9FF9C62");
    click(generate_full_shift_line, {"199"});
    EXPECT_EQ(log(), (Texts{"Cmd Shift Hight: 500", "Cmd Shift Low: -1000",
                            "Cmd GenShift Down: S485=6:8:150:19200:310AF9FF9C62",
                            "Cmd GenShift Up: S485=6:8:150:19200:31C7F4001419"}));
    EXPECT_EQ(pending(), hex("31 01 F5 FA"));

    caption("gen_txt") = "";
    caption("sdv_verh") = "2000";
    // A remote address of 200 or more is refused as the mode line refuses it, and before the
    // amount is looked at.
    EXPECT_EQ(click(generate_full_shift_line, {"200"}),
              (Texts{kRemotePrompt, "Адрес д.б. менее 200."}));
    EXPECT_EQ(click(generate_full_shift_line, {"256"}), Texts{kRemotePrompt});
    EXPECT_EQ(click(generate_full_shift_line, {"7"}), (Texts{kRemotePrompt, kShiftRange}));
    EXPECT_EQ(caption("gen_txt"), "");
    EXPECT_EQ(log().size(), 4u);
}

// The option's selector, inversion in bit 0, smoothing in bit 3, the 4096 range in bit 7; the
// confirmation redraws the controls later. No, or no address, sends nothing.
TEST_F(Commands, ModesAndModeLines) {
    const auto mode_logged = [&](std::initializer_list<std::string_view> checked) {
        for (const char* name :
             {"R485", "R_a", "R_f", "R_p", "R_p485", "iinv", "usredn", "D_4096"}) {
            h.form.control(name).checked = std::ranges::find(checked, name) != checked.end();
        }
        click(write_mode, {}, {true});
        return log().back();
    };
    const Texts question{"Сейчас будет изменен режим работы датчика. Вы уверены что это нужно?"};
    EXPECT_EQ(click(write_mode, {}, {false}), question);
    select("");
    EXPECT_TRUE(click(write_mode, {}, {true}).empty());
    EXPECT_TRUE(pending().empty() && log().empty());

    select("2");
    EXPECT_EQ(mode_logged({"R_a", "iinv", "D_4096"}), "Cmd Change mode to 131");
    EXPECT_EQ(mode_logged({"R485", "usredn"}), "Cmd Change mode to 8");
    EXPECT_EQ(mode_logged({"R_p485"}), "Cmd Change mode to 16");
    EXPECT_EQ(pending(), hex("31 02 F2 10 1D"));

    // Only RS-485 output takes a remote mode, and the line carries the flags alone; refusals
    // come after the input box, even a Cancel; the pending command still goes out.
    EXPECT_EQ(click(generate_mode_line), (Texts{kRemotePrompt, "В этом режиме нельзя изменить."}));
    h.form.control("R485").checked = true;
    EXPECT_EQ(click(generate_mode_line, {"200"}), (Texts{kRemotePrompt, "Адрес д.б. менее 200."}));
    EXPECT_EQ(caption("gen_txt"), "");
    h.form.control("iinv").checked = h.form.control("usredn").checked =
        h.form.control("D_4096").checked = true;
    queue(hex("31 01 FA BB"));
    click(generate_mode_line, {"10"});
    EXPECT_EQ(box(0), (Box{kRemotePrompt, "Изменение режима", "0"}));
    EXPECT_EQ(caption("gen_txt"), "S485=5:5:150:19200:310AF289B5");
    EXPECT_EQ(log().back(), "Cmd GenMode: S485=5:5:150:19200:310AF289B5");
    EXPECT_EQ(log().size(), 4u);
    EXPECT_EQ(pending(), hex("31 01 FA BB"));
}

// A sensor whose measurement carries no mode byte has answered all the same: its smoothing is
// taken as off, as before any sensor has answered.
TEST_F(Commands, ASensorWithoutAModeByteCanBeCalibrated) {
    h.form.clear_sensor_readings();
    h.hear(test::Measurement{}.frame(false));
    EXPECT_EQ(click(calibrate_full, {}, {true}),
              Texts{"Сейчас будет произведена перекалибровка верхнего уровня. Вы уверены что это "
                    "нужно?"});
    EXPECT_EQ(pending(), calibrate_request(1, Level::Full));
}

// The log keeps the password as typed, leading zeros included; the frame holds its number.
TEST_F(Commands, PasswordsAreSentAsTypedOrThePendingRequestIsDropped) {
    click(enter_password, {"007"});
    EXPECT_EQ(pending(), with_crc(hex("31 01 F8 00 00 00 07")));
    EXPECT_EQ(box(0), (Box{"Введите пароль", "Ввод пароля", ""}));
    click(change_password, {"123"}, {true});
    EXPECT_EQ(pending(), with_crc(hex("31 01 F7 00 00 00 7B")));
    EXPECT_EQ(box(0), (Box{"Сейчас будет изменен пароль датчика. Если Вы забудете новый пароль, "
                           "снять его сможет только производитель. МЕНЯЕМ ?",
                           "", ""}));
    EXPECT_EQ(box(1), (Box{"Введите новый пароль", "Ввод нового пароля", "0"}));
    EXPECT_EQ(log(), (Texts{"Cmd Enter Password = 007", "Cmd New Password = 123"}));

    // Every way out drops a request that was pending: No at the warning, Cancel, a password out
    // of range, and no address (told only after the password was typed).
    const auto refused = [&](void (*handler)(frmSerial&), const char* typed) {
        queue(hex("31 01 F5 FA"));
        const Texts shown = click(handler, {typed}, {false});
        EXPECT_TRUE(pending().empty()) << typed;
        return shown;
    };
    EXPECT_EQ(refused(change_password, "").size(), 1u);
    EXPECT_EQ(refused(enter_password, ""), Texts{"Введите пароль"});
    EXPECT_EQ(refused(enter_password, "2000000001").back(),
              "Введите числовой пароль в диапазоне 0....2 000 000 000");
    select("");
    EXPECT_EQ(refused(enter_password, "5"),
              (Texts{"Введите пароль", "Установите допустимый пароль"}));
    EXPECT_EQ(log().size(), 2u);
}

// The box offers the selected address; Cancel says nothing; no address is told after the answer.
TEST_F(Commands, NewAddressIsQueuedShownAndLoggedOrRefused) {
    const std::string prompt = "Введите новый сетевой номер";
    click(write_address, {" 7 "});
    EXPECT_EQ(box(0), (Box{prompt, "Ввод сетевого номера", "1"}));
    EXPECT_EQ(click(write_address, {"256"}), (Texts{prompt, "Введите число в диапазоне 0....255"}));
    EXPECT_EQ(click(write_address, {""}), Texts{prompt});
    EXPECT_EQ(pending(), hex("31 01 FB 07 55"));
    EXPECT_EQ(caption("txtRec").substr(0, 13), "31 1 FB 7 55 ");
    EXPECT_EQ(log(), Texts{"Cmd Set New net addr = 7"});
    select("");
    EXPECT_EQ(click(write_address, {"5"}), (Texts{prompt, kNoAddress}));
}

// Serial numbers go out most significant byte first; whatever else happens, nothing stays
// pending, and without an address the view shows that nothing is.
TEST_F(Commands, SerialNumbersAreQueuedUpTo2000000) {
    for (const auto& [answer, frame] :
         {std::pair{"1000000", "31 01 F6 00 0F 42 40 37"}, std::pair{"2000001", ""},
          std::pair{"-1", ""}, std::pair{"", ""}}) {
        queue(hex("31 01 F0 C5"));
        const Texts shown = click(write_typed_serial_number, {answer});
        EXPECT_EQ(pending(), hex(frame)) << answer;
        EXPECT_EQ(shown.back(), *answer && !*frame ? kSerialRange : "Введите серийный номер");
    }
    EXPECT_EQ(box(0), (Box{"Введите серийный номер", "Ввод серийного номера", "0"}));

    // The next number is the shown one plus one.
    for (const auto& [shown, frame] : {std::pair{"1000", "31 01 F6 00 00 03 E9 04"},
                                       std::pair{"2000000", ""}, std::pair{"????????", ""}}) {
        queue(hex("31 01 F0 C5"));
        caption("sn") = shown;
        EXPECT_EQ(click(write_next_serial_number), Texts(*frame ? 0 : 1, kSerialRange)) << shown;
        EXPECT_EQ(pending(), hex(frame)) << shown;
    }
    // A number the selected sensor did not report itself is never counted on from.
    h.form.session.forget_sensor();
    EXPECT_EQ(click(write_next_serial_number), Texts{"Нет данных от датчика с адресом 1"});
    EXPECT_TRUE(pending().empty());

    h.form.show_frame(hex("31 01 F0 C5"));
    select("");
    EXPECT_EQ(click(write_typed_serial_number, {"123"}).back(), kNoAddress);
    EXPECT_EQ(caption("txtRec"), "\r\n\r\n");
    EXPECT_TRUE(log().empty());
}

}  // namespace
}  // namespace qm720
