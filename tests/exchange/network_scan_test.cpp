#include "exchange/network_scan.h"

#include <gtest/gtest.h>

#include "hex.h"
#include "protocol/requests.h"
#include "support/form_harness.h"
#include "support/log_records.h"

namespace qm720 {
namespace {

using test::hex;

class NetworkScan : public ::testing::Test {
  protected:
    void SetUp() override { h.form.start_up(); }
    test::FormHarness h;
};

TEST_F(NetworkScan, ButtonQueuesTheScanReplacingAPendingCommand) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    h.form.show_next_mode = false;
    start_network_scan(h.form);
    EXPECT_EQ(h.form.link.pending_request, hex("31 FF DC"));
    EXPECT_TRUE(h.form.link.scan_awaited);
    EXPECT_TRUE(h.form.show_next_mode);
    EXPECT_EQ(test::logged_texts(h), std::vector<std::string>{"Cmd Ask Net "});
    EXPECT_EQ(h.form.control("txtRec").caption, "31 FF DC \r\n\r\n1яЬ");
}

TEST_F(NetworkScan, AnswerFillsTheListAndAsksTheFirstSensorWhoItIs) {
    h.form.link.scan_awaited = true;
    take_scan_answer(h.form, hex("01 05 11"));
    const Control& addresses = h.form.control("CmbNet");
    EXPECT_EQ(addresses.list, (std::vector<std::string>{"1", "5", "17"}));
    EXPECT_EQ(addresses.list_index, 0);
    EXPECT_EQ(addresses.caption, "1");
    EXPECT_EQ(h.form.control("netdev").caption, "1 5 17 ");
    EXPECT_EQ(h.form.control("MsgCom").caption, "Произошел опрос сети.");
    EXPECT_EQ(h.form.link.pending_request, hex("31 01 FC 66"));
    EXPECT_EQ(test::logged_texts(h), std::vector<std::string>{"Устройства в сети 1 5 17 "});
    EXPECT_EQ(h.form.control("uroven").caption, "Нет данных");  // sensor 0's readings are gone
}

TEST_F(NetworkScan, EveryByteCountsUpToNineteen) {
    const struct {
        Bytes answer;
        std::size_t entries;
        const char* first;
    } cases[] = {
        {hex("00"), 1, "0"},        {hex("3E 01 F5"), 3, "62"}, {hex("05 05"), 2, "5"},
        {Bytes(19, 0x07), 19, "7"}, {Bytes(20, 0x07), 1, "0"},  // too long: the list keeps its
                                                                // start entry
    };
    for (const auto& c : cases) {
        test::FormHarness fresh;
        fresh.form.start_up();
        fresh.form.link.scan_awaited = true;
        take_scan_answer(fresh.form, c.answer);
        EXPECT_EQ(fresh.form.control("CmbNet").list.size(), c.entries) << c.answer.size();
        EXPECT_EQ(fresh.form.control("CmbNet").caption, c.first) << c.answer.size();
    }
}

TEST_F(NetworkScan, AnswerWithoutAPendingScanIsIgnored) {
    take_scan_answer(h.form, hex("01 05"));
    EXPECT_EQ(h.form.control("CmbNet").list, std::vector<std::string>{"0"});
    EXPECT_TRUE(h.form.link.pending_request.empty());
}

TEST_F(NetworkScan, EditingTheAddressBoxQueuesItsIdentityRequestOrNothing) {
    const struct {
        const char* text;
        std::optional<std::uint8_t> address;
    } cases[] = {
        {"1", 1},
        {" 17 ", 17},
        {"0", 0},
        {"255", 255},
        {"+5", 5},
        {"256", {}},
        {"-1", {}},
        {"abc", {}},
        {"", {}},
        {"1.5", {}},
        {"0x10", {}},
        {"1e2", {}},
        {"99999999999999999999999999999999999999", {}},
    };
    for (const auto& c : cases) {
        h.form.link.pending_request = hex("31 01 F5 FA");
        h.form.control("CmbNet").caption = c.text;
        h.form.control("CmbNet").list_index = -1;
        address_typed(h.form);
        EXPECT_EQ(h.form.link.pending_request, c.address ? identity_request(*c.address) : Bytes{})
            << c.text;
    }
}

}  // namespace
}  // namespace qm720
