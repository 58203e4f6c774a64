#include "commands/password.h"

#include "command_fixture.h"
#include "hex.h"
#include "protocol/crc8.h"

namespace qm720 {
namespace {

using test::hex;

constexpr const char* kRange = "Введите числовой пароль в диапазоне 0....2 000 000 000";

class Password : public test::CommandTest {};

// Leading zeros stay in the log but not in the frame.
TEST_F(Password, EnteredPasswordIsSentAndLoggedAsTyped) {
    h.dialogs.input_answers = {"007", "2000000000"};
    enter_password(h.form);
    EXPECT_EQ(h.form.link.pending_request, with_crc(hex("31 01 F8 00 00 00 07")));
    enter_password(h.form);
    EXPECT_EQ(h.form.link.pending_request, with_crc(hex("31 01 F8 77 35 94 00")));
    EXPECT_EQ(log(), (std::vector<std::string>{"Cmd Enter Password = 007",
                                               "Cmd Enter Password = 2000000000"}));
    EXPECT_EQ(h.dialogs.shown.back().text, "Введите пароль");
    EXPECT_EQ(h.dialogs.shown.back().title, "Ввод пароля");
    EXPECT_EQ(h.dialogs.shown.back().default_text, "");
}

TEST_F(Password, ChangeWarnsFirstThenAsksForTheNewPassword) {
    h.dialogs.yes_no_answers = {true};
    h.dialogs.input_answers = {"123"};
    change_password(h.form);
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "Сейчас будет изменен пароль датчика. Если Вы забудете новый пароль, "
                           "снять его сможет только производитель. МЕНЯЕМ ?",
                           "Введите новый пароль"}));
    EXPECT_EQ(h.dialogs.shown[1].title, "Ввод нового пароля");
    EXPECT_EQ(h.dialogs.shown[1].default_text, "0");
    EXPECT_EQ(h.form.link.pending_request, with_crc(hex("31 01 F7 00 00 00 7B")));
    EXPECT_EQ(log(), std::vector<std::string>{"Cmd New Password = 123"});
}

// Every way out drops a request that was pending: No at the warning, Cancel, a password out of
// range, and no address (told only after the password was typed).
TEST_F(Password, EveryRefusalDropsThePendingRequest) {
    const struct {
        void (*click)(frmSerial&);
        const char* typed;
        bool address;
        const char* told;
    } cases[] = {
        {change_password, nullptr, true, nullptr},
        {enter_password, "", true, nullptr},
        {enter_password, "2000000001", true, kRange},
        {enter_password, "-1", true, kRange},
        {enter_password, "5", false, "Установите допустимый пароль"},
    };
    for (const auto& c : cases) {
        h.dialogs.shown.clear();
        h.form.link.pending_request = hex("31 01 F5 FA");
        c.address ? select("1") : select_nothing();
        h.dialogs.yes_no_answers = {false};
        h.dialogs.input_answers = {c.typed != nullptr ? c.typed : ""};
        c.click(h.form);
        EXPECT_TRUE(h.form.link.pending_request.empty()) << c.typed;
        EXPECT_EQ(h.dialogs.shown.size(), c.told != nullptr ? 2u : 1u) << c.typed;
        if (c.told != nullptr) {
            EXPECT_EQ(h.dialogs.shown.back().text, c.told);
        }
    }
    EXPECT_TRUE(log().empty());
}

}  // namespace
}  // namespace qm720
