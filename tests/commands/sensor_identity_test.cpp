#include "commands/sensor_identity.h"

#include "command_fixture.h"
#include "hex.h"

namespace qm720 {
namespace {

using test::hex;

constexpr const char* kNoAddress = "Установите существующий сетевой адрес";
constexpr const char* kSerialRange = "Введите число в диапазоне 0....2 000 000";

class SensorIdentity : public test::CommandTest {};

// The box offers the selected address; Cancel says nothing; no address is told after the answer.
TEST_F(SensorIdentity, NewAddressIsQueuedShownAndLoggedOrRefused) {
    h.dialogs.input_answers = {" 7 ", "256", ""};
    for (int k = 0; k < 3; ++k) {
        write_address(h.form);
    }
    EXPECT_EQ(h.form.link.pending_request, hex("31 01 FB 07 55"));
    EXPECT_EQ(view().substr(0, 13), "31 1 FB 7 55 ");
    EXPECT_EQ(log(), std::vector<std::string>{"Cmd Set New net addr = 7"});
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "Введите новый сетевой номер", "Введите новый сетевой номер",
                           "Введите число в диапазоне 0....255", "Введите новый сетевой номер"}));
    EXPECT_EQ(h.dialogs.shown[0].title, "Ввод сетевого номера");
    EXPECT_EQ(h.dialogs.shown[0].default_text, "1");
    select_nothing();
    h.dialogs.input_answers = {"5"};
    write_address(h.form);
    EXPECT_EQ(h.dialogs.shown.back().text, kNoAddress);
}

// Serial numbers go out most significant byte first; anything else leaves nothing pending.
TEST_F(SensorIdentity, SerialNumberIsQueuedUpTo2000000) {
    const struct {
        const char* answer;
        const char* frame;  // empty when refused with the range
    } cases[] = {
        {"1000000", "31 01 F6 00 0F 42 40 37"},
        {"2000001", ""},
        {"-1", ""},
        {"2147483648", ""},
    };
    for (const auto& c : cases) {
        h.form.link.pending_request = hex("31 01 F0 C5");
        h.dialogs.input_answers = {c.answer};
        write_typed_serial_number(h.form);
        EXPECT_EQ(h.form.link.pending_request, hex(c.frame)) << c.answer;
        EXPECT_EQ(h.dialogs.shown.back().text, *c.frame ? "Введите серийный номер" : kSerialRange);
    }
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(h.dialogs.shown[0].title, "Ввод серийного номера");
    EXPECT_EQ(h.dialogs.shown[0].default_text, "0");
}

TEST_F(SensorIdentity, NextSerialNumberIsTheShownOnePlusOne) {
    const struct {
        const char* shown;
        const char* frame;  // empty when refused
    } cases[] = {
        {"1000", "31 01 F6 00 00 03 E9 04"},
        {"2000000", ""},
        {"????????", ""},
    };
    for (const auto& c : cases) {
        h.form.link.pending_request = hex("31 01 F0 C5");
        h.form.control("sn").caption = c.shown;
        write_next_serial_number(h.form);
        EXPECT_EQ(h.form.link.pending_request, hex(c.frame)) << c.shown;
    }
    EXPECT_EQ(boxes(), (std::vector<std::string>{kSerialRange, kSerialRange}));

    // A number the selected sensor did not report itself is never counted on from.
    h.form.identity_known = false;
    write_next_serial_number(h.form);
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_EQ(boxes().back(), "Нет данных от датчика с адресом 1");
}

TEST_F(SensorIdentity, SerialNumberCancelledOrWithoutAddressDropsThePendingRequest) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    h.dialogs.input_answers = {""};
    write_typed_serial_number(h.form);
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_EQ(h.dialogs.shown.size(), 1u);

    h.form.show_frame(hex("31 01 F0 C5"));
    select_nothing();
    h.dialogs.input_answers = {"123"};
    write_typed_serial_number(h.form);
    EXPECT_EQ(h.dialogs.shown.back().text, kNoAddress);
    EXPECT_EQ(view(), "\r\n\r\n");
}

}  // namespace
}  // namespace qm720
