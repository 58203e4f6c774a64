#include "commands/sensor_identity.h"

#include "command_fixture.h"
#include "hex.h"
#include "protocol/requests.h"

namespace qm720 {
namespace {

using test::hex;

constexpr const char* kNoAddress = "Установите существующий сетевой адрес";
constexpr const char* kAddressRange = "Введите число в диапазоне 0....255";
constexpr const char* kSerialRange = "Введите число в диапазоне 0....2 000 000";

class SensorIdentity : public test::CommandTest {};

TEST_F(SensorIdentity, NewAddressIsQueuedShownAndLogged) {
    const struct {
        const char* answer;
        const char* frame;
        const char* log;
    } cases[] = {
        {"5", "31 01 FB 05 E9", "Cmd Set New net addr = 5"},
        {"0", "31 01 FB 00 D6", "Cmd Set New net addr = 0"},
        {"255", "31 01 FB FF E3", "Cmd Set New net addr = 255"},
        {" 7 ", "31 01 FB 07 55", "Cmd Set New net addr = 7"},
    };
    for (const auto& c : cases) {
        h.dialogs.input_answers = {c.answer};
        write_address(h.form);
        EXPECT_EQ(h.form.link.pending_request, hex(c.frame)) << c.answer;
        EXPECT_EQ(log().back(), c.log);
    }
    const auto& box = h.dialogs.shown.back();
    EXPECT_EQ(box.text, "Введите новый сетевой номер");
    EXPECT_EQ(box.title, "Ввод сетевого номера");
    EXPECT_EQ(box.default_text, "1");
    EXPECT_EQ(h.form.control("CmbNet").list, std::vector<std::string>{"1"});
}

TEST_F(SensorIdentity, BadNewAddresses) {
    for (const char* answer : {"256", "-1", "abc", "1.5", "0x10", "1e2"}) {
        h.dialogs.input_answers = {answer};
        write_address(h.form);
        EXPECT_EQ(h.dialogs.shown.back().text, kAddressRange) << answer;
    }
    h.dialogs.input_answers = {""};
    const std::size_t before = h.dialogs.shown.size();
    write_address(h.form);
    EXPECT_EQ(h.dialogs.shown.size(), before + 1);  // Cancel: only the input box
    select_nothing();
    h.dialogs.input_answers = {"5"};
    write_address(h.form);
    EXPECT_EQ(h.dialogs.shown.back().text, kNoAddress);
    EXPECT_TRUE(h.form.link.pending_request.empty());
}

TEST_F(SensorIdentity, SerialNumbersGoOutMostSignificantByteFirst) {
    const struct {
        const char* answer;
        const char* frame;
    } cases[] = {
        {"123456", "31 01 F6 00 01 E2 40 2D"},
        {"2000000", "31 01 F6 00 1E 84 80 02"},
        {"0", "31 01 F6 00 00 00 00 24"},
        {"1000000", "31 01 F6 00 0F 42 40 37"},
    };
    for (const auto& c : cases) {
        h.dialogs.input_answers = {c.answer};
        write_typed_serial_number(h.form);
        EXPECT_EQ(h.form.link.pending_request, hex(c.frame)) << c.answer;
    }
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(h.dialogs.shown.back().title, "Ввод серийного номера");
    EXPECT_EQ(h.dialogs.shown.back().default_text, "0");
}

TEST_F(SensorIdentity, BadSerialNumbersLeaveNothingPending) {
    for (const char* answer : {"2000001", "-1", "abc", "1.5", "99999999999", "2147483648"}) {
        h.form.link.pending_request = hex("31 01 F0 C5");
        h.dialogs.input_answers = {answer};
        write_typed_serial_number(h.form);
        EXPECT_EQ(h.dialogs.shown.back().text, kSerialRange) << answer;
        EXPECT_TRUE(h.form.link.pending_request.empty()) << answer;
    }
}

TEST_F(SensorIdentity, NextSerialNumberIsTheShownOnePlusOne) {
    const struct {
        const char* shown;
        const char* frame;  // empty when refused
    } cases[] = {
        {"1000", "31 01 F6 00 00 03 E9 04"},
        {"0", ""},
        {"2000000", ""},
        {"????????", ""},
    };
    for (const auto& c : cases) {
        h.form.control("sn").caption = c.shown;
        write_next_serial_number(h.form);
        if (*c.frame) {
            EXPECT_EQ(h.form.link.pending_request, hex(c.frame));
        }
    }
    // "0" gives 1; the last two are refused with the range message.
    EXPECT_EQ(boxes(), (std::vector<std::string>{kSerialRange, kSerialRange}));
    h.form.control("sn").caption = "0";
    write_next_serial_number(h.form);
    EXPECT_EQ(h.form.link.pending_request, *write_serial_number_request(1, 1));

    // A number the selected sensor did not report itself is never counted on from.
    h.form.identity_known = false;
    write_next_serial_number(h.form);
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_EQ(boxes().back(), "Нет данных от датчика с адресом 1");
}

TEST_F(SensorIdentity, SerialNumberClicksAlwaysDropThePendingRequest) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    h.dialogs.input_answers = {""};
    write_typed_serial_number(h.form);
    EXPECT_TRUE(h.form.link.pending_request.empty());

    h.form.link.pending_request = hex("31 01 F5 FA");
    h.form.control("sn").caption = "";
    write_next_serial_number(h.form);
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_TRUE(boxes().size() == 1 && h.dialogs.shown[0].kind == test::BoxKind::Input);
}

TEST_F(SensorIdentity, SerialNumberWithoutAddressClearsTheFrameView) {
    h.form.show_frame(hex("31 01 F0 C5"));
    select_nothing();
    h.dialogs.input_answers = {"123"};
    write_typed_serial_number(h.form);
    EXPECT_EQ(h.dialogs.shown.back().text, kNoAddress);
    EXPECT_EQ(view(), "\r\n\r\n");
}

}  // namespace
}  // namespace qm720
