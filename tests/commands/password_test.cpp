#include "commands/password.h"

#include "command_fixture.h"
#include "hex.h"
#include "protocol/requests.h"

namespace qm720 {
namespace {

using test::hex;

constexpr const char* kWarning =
    "Сейчас будет изменен пароль датчика. Если Вы забудете новый пароль, снять его сможет "
    "только производитель. МЕНЯЕМ ?";
constexpr const char* kRange = "Введите числовой пароль в диапазоне 0....2 000 000 000";

class Password : public test::CommandTest {};

TEST_F(Password, EnteredPasswordIsSentAndLoggedAsTyped) {
    const struct {
        const char* typed;
        std::int64_t value;
    } cases[] = {{"0", 0}, {"16777215", 16777215}, {"2000000000", 2000000000}, {"007", 7}};
    for (const auto& c : cases) {
        h.dialogs.input_answers = {c.typed};
        enter_password(h.form);
        EXPECT_EQ(h.form.link.pending_request, *enter_password_request(1, c.value)) << c.typed;
        EXPECT_EQ(h.form.link.pending_request.size(), 8u);
        EXPECT_EQ(log().back(), std::string("Cmd Enter Password = ") + c.typed);
    }
    EXPECT_EQ(h.dialogs.shown.back().text, "Введите пароль");
    EXPECT_EQ(h.dialogs.shown.back().title, "Ввод пароля");
    EXPECT_EQ(h.dialogs.shown.back().default_text, "");
    // Leading zeros stay in the log but not in the frame.
    EXPECT_EQ(Bytes(h.form.link.pending_request.begin(), h.form.link.pending_request.end() - 1),
              hex("31 01 F8 00 00 00 07"));
}

TEST_F(Password, ChangeWarnsFirstThenAsksForTheNewPassword) {
    h.dialogs.yes_no_answers = {true};
    h.dialogs.input_answers = {"123"};
    change_password(h.form);
    EXPECT_EQ(boxes(), (std::vector<std::string>{kWarning, "Введите новый пароль"}));
    EXPECT_EQ(h.dialogs.shown[1].title, "Ввод нового пароля");
    EXPECT_EQ(h.dialogs.shown[1].default_text, "0");
    EXPECT_EQ(h.form.link.pending_request, *change_password_request(1, 123));
    EXPECT_EQ(log(), std::vector<std::string>{"Cmd New Password = 123"});
}

TEST_F(Password, NoAtTheWarningDropsEvenAnEarlierPendingRequest) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    h.dialogs.yes_no_answers = {false};
    change_password(h.form);
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
}

TEST_F(Password, BadPasswordsAreRefusedWithTheRangeMessage) {
    for (const char* typed : {"2000000001", "-1", "abc", "1.5", "1e3", "0x10", "4294967296",
                              "1234567890123456789012345678901234567890"}) {
        h.form.link.pending_request = hex("31 01 F5 FA");
        h.dialogs.input_answers = {typed};
        enter_password(h.form);
        EXPECT_EQ(h.dialogs.shown.back().text, kRange) << typed;
        EXPECT_TRUE(h.form.link.pending_request.empty()) << typed;
    }
    EXPECT_TRUE(log().empty());
}

TEST_F(Password, NoAddressIsToldOnlyAfterThePasswordWasTyped) {
    select_nothing();
    h.dialogs.input_answers = {"5"};
    enter_password(h.form);
    EXPECT_EQ(boxes(),
              (std::vector<std::string>{"Введите пароль", "Установите допустимый пароль"}));
    EXPECT_TRUE(h.form.link.pending_request.empty());
}

TEST_F(Password, CancelIsSilent) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    h.dialogs.input_answers = {""};
    enter_password(h.form);
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_TRUE(log().empty());
}

}  // namespace
}  // namespace qm720
