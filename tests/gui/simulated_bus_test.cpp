#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "e2e/simulated_bus.h"
#include "serial/posix_serial_port.h"
#include "window_harness.h"

namespace qm720 {
namespace {

TEST(SimulatedBusWindow, OpeningCom1ReachesTheSimulatorAndClosingReleasesIt) {
    test::SimulatedBus bus({});
    ASSERT_TRUE(bus.started());
    PosixSerialPort port([](const std::string& text) { ADD_FAILURE() << text; });
    test::WindowHarness harness(port);
    const auto& ports = static_cast<const QComboBox&>(harness.widget("CmbPort"));
    EXPECT_EQ(ports.itemData(0, Qt::ToolTipRole).toString(),
              QString::fromLocal8Bit(qgetenv("QM720_PORTS")) + "/COM1");

    harness.click("BTNOpenCom");

    EXPECT_TRUE(harness.widget("BTNCloseCom").isEnabled());
    EXPECT_TRUE(harness.widget("CmbNet").isEnabled());
    EXPECT_FALSE(harness.widget("BTNOpenCom").isEnabled());
    EXPECT_TRUE(harness.window.findChild<QTimer*>("TMRComm")->isActive());

    harness.click("BTNCloseCom");

    EXPECT_TRUE(harness.widget("BTNOpenCom").isEnabled());
    EXPECT_FALSE(harness.widget("BTNCloseCom").isEnabled());
}

// The window on COM1 with sensor 1 typed into the address box and the tick sped up, so that the
// test sees live values without waiting seconds.
class LiveWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bus.started());
        harness.click("BTNOpenCom");
        auto& address = static_cast<QComboBox&>(harness.widget("CmbNet"));
        address.lineEdit()->selectAll();
        QTest::keyClicks(address.lineEdit(), "1");
        harness.form.control("TMRComm").interval_ms = 60;
        harness.window.sync();
    }
    QString label(std::string_view name) const {
        return static_cast<const QLabel&>(harness.widget(name)).text();
    }

    test::SimulatedBus bus{{"--steady", "--answer-delay", "5"}};
    PosixSerialPort port{[](const std::string& text) { ADD_FAILURE() << text; }};
    test::WindowHarness harness{port};
};

TEST_F(LiveWindow, TicksFillTheReadingsFromTheSensor) {
    ASSERT_TRUE(test::process_events_until([&] { return label("uroven") == "512"; }));
    EXPECT_EQ(label("temp"), QString::fromUtf8("23 °C"));
    EXPECT_EQ(label("tek"), "145000");
    EXPECT_EQ(label("sn"), "123456");
    EXPECT_EQ(label("vv"), "1.6.3.");
    EXPECT_EQ(static_cast<const QProgressBar&>(harness.widget("ProgressBar1")).value(), 512);
    EXPECT_TRUE(harness.widget("sdv_hi").isEnabled());
}

TEST_F(LiveWindow, CalibrationGoesFromTheClickThroughItsBoxToTheSensor) {
    ASSERT_TRUE(test::process_events_until([&] { return label("uroven") == "512"; }));
    QString question;
    test::when_box_shows([&](QWidget& box) {
        question = static_cast<QMessageBox&>(box).text();
        for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
            if (QString(button->text()).remove('&') == QString::fromUtf8("Да")) {
                button->click();
            }
        }
    });
    harness.click("hig");
    EXPECT_TRUE(question.startsWith(QString::fromUtf8("Сейчас будет произведена перекалибровка")));
    EXPECT_TRUE(test::process_events_until(
        [&] { return label("MsgCom") == QString::fromUtf8(" Установлен верхний уровень."); }));
}

}  // namespace
}  // namespace qm720
