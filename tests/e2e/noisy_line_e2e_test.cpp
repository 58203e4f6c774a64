#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "commands/operating_mode.h"
#include "commands/sensor_identity.h"
#include "live_form.h"

namespace qm720 {
namespace {

using test::LiveForm;

const std::string kStale = "Нет достоверного ответа от датчика с адресом 2";

bool logged(const LiveForm& live, const std::string& text) {
    const auto lines = live.log();
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

// Sensor 2 with one fault of a real bus, watched for five ticks: what is shown must be its own
// intact data or nothing, and readings that stop being trustworthy must be said to be so.
TEST(NoisyLine, EachFaultShowsOnlyIntactDataOfTheSensorAsked) {
    const struct {
        const char* fault;
        const char* serial_number;
        const char* level;
        bool stale;
    } cases[] = {
        {"noisy", "100002", "512", false},  // a noise byte before every reply
        {"badcrc", "100002", "Нет данных", true},
        {"wrongaddr", "0", "Нет данных", true},  // another sensor answering
        {"badid", "0", "512", false},            // one corrupted byte of the identity
        {"unknown", "0", "Нет данных", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        LiveForm live{{"--steady", "--answer-delay", "5", "--sensor", std::string("2:") + c.fault}};
        ASSERT_TRUE(live.open_on("2"));
        live.tick(5);

        EXPECT_EQ(live.caption("sn"), c.serial_number);
        EXPECT_EQ(live.caption("uroven"), c.level);
        EXPECT_EQ(live.caption("MsgCom") == kStale, c.stale) << live.caption("MsgCom");
        EXPECT_EQ(logged(live, kStale), c.stale);
        // A serial number that did not come intact from the sensor is never counted on from.
        write_next_serial_number(live.form);
        EXPECT_EQ(live.form.link.pending_request.empty(), std::string(c.serial_number) == "0");
    }
}

// A burst of babble takes a few readings and is reported, then every tick reads the answer to
// its own request again.
TEST(NoisyLine, ReadingsComeBackAfterABurst) {
    LiveForm live{{"--steady", "--answer-delay", "5", "--burst", "1200:4"}};
    ASSERT_TRUE(live.open_on("1"));
    live.tick(3);
    ASSERT_EQ(live.caption("uroven"), "512");
    live.form.control("MsgCom").caption = "Пароль принят.";
    live.tick(6);  // 1200 bytes take 0.6 s: several reads of babble
    EXPECT_TRUE(logged(live, "Нет достоверного ответа от датчика с адресом 1"));

    int ticks = 0;
    while (live.form.link.unusable_ticks != 0 && ticks++ < 10) {
        live.tick();
    }
    live.tick(2);
    EXPECT_EQ(live.form.link.unusable_ticks, 0);
    EXPECT_EQ(live.caption("MsgCom"), "Пароль принят.");
}

// A mode confirmation without its mode byte must not redraw the controls from its CRC byte.
TEST(NoisyLine, ShortModeConfirmationLeavesTheModeControlsAlone) {
    LiveForm live{{"--steady", "--answer-delay", "5", "--sensor", "2:shortmode"}};
    ASSERT_TRUE(live.open_on("2"));
    live.tick(3);
    ASSERT_EQ(live.form.mode_text, "0");
    live.form.control("R485").checked = false;
    live.form.control("R_f").checked = true;
    live.dialogs.yes_no_answers = {true};
    write_mode(live.form);
    live.tick(2);
    EXPECT_EQ(live.caption("MsgCom"), " Установлен новый режим.");
    EXPECT_EQ(live.form.mode_text, "0");
}

TEST(NoisyLine, ALineThatClosesEndsInWriteFailuresWithTheirReasonAndAClosedPort) {
    LiveForm live{{"--steady", "--answer-delay", "5", "--close-after", "2"}};
    ASSERT_TRUE(live.open_on("1"));
    for (int k = 0; k < 12 && live.form.control("TMRComm").enabled; ++k) {
        live.tick();
    }
    EXPECT_FALSE(live.form.control("TMRComm").enabled);
    EXPECT_TRUE(live.form.control("BTNOpenCom").enabled);
    ASSERT_EQ(live.dialogs.shown.size(), 4u);
    const std::string reason =
        std::string(std::getenv("QM720_PORTS")) + "/COM1: Input/output error";
    EXPECT_EQ(live.dialogs.shown.back().text, "Ошибка записи в порт\n" + reason);
    EXPECT_TRUE(logged(live, "Ошибка записи в порт: " + reason));
    EXPECT_TRUE(logged(live, "Com Port COM1 Closed"));
}

}  // namespace
}  // namespace qm720
