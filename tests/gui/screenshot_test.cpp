// Writes the window as it looks after start-up to the documentation, so that the picture there is
// always the window the code builds.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include "support/fake_serial_port.h"
#include "window_harness.h"

namespace qm720 {
namespace {

TEST(WindowScreenshot, StartUpWindowIsSavedAsPng) {
    test::FakeSerialPort port;
    test::WindowHarness harness(port);
    const QString path = QStringLiteral(QM720_SCREENSHOT_PATH);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));

    const QPixmap picture = harness.window.grab();

    EXPECT_EQ(picture.size(), QSize(497, 485));
    EXPECT_TRUE(picture.save(path, "PNG"));
}

}  // namespace
}  // namespace qm720
