#include <gtest/gtest.h>

#include <QComboBox>
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

}  // namespace
}  // namespace qm720
