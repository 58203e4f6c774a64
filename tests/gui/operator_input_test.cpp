#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "support/fake_serial_port.h"
#include "window_harness.h"

namespace qm720 {
namespace {

TEST(OperatorInput, OpeningThePortEnablesTheCommandControls) {
    test::FakeSerialPort port;
    test::WindowHarness harness(port);

    harness.click("BTNOpenCom");

    ASSERT_EQ(port.opens.size(), 1U);
    for (const char* name : {"BTNCloseCom", "CmbNet", "Opros", "low", "Label5", "MsgCom", "R485"}) {
        EXPECT_TRUE(harness.widget(name).isEnabled()) << name;
    }
    EXPECT_FALSE(harness.widget("BTNOpenCom").isEnabled());
}

TEST(OperatorInput, ChosenPortIsTheOneOpened) {
    test::FakeSerialPort port;
    test::WindowHarness harness(port);
    auto& ports = static_cast<QComboBox&>(harness.widget("CmbPort"));
    ASSERT_EQ(ports.count(), 30);

    ports.setFocus();
    QTest::keyClick(&ports, Qt::Key_Down);
    QTest::keyClick(&ports, Qt::Key_Down);
    harness.click("BTNOpenCom");

    EXPECT_EQ(harness.form.control("CmbPort").list_index, 2);
    ASSERT_EQ(port.opens.size(), 1U);
    EXPECT_EQ(port.opens[0].device_path, "\\\\.\\COM3");
}

TEST(OperatorInput, TypedAddressGoesToTheFormAndSelectsOnlyAMatchingEntry) {
    std::vector<std::pair<std::string, int>> seen_by_change;
    FormEventTable events = gui::all_form_events();
    events["CmbNet_Change"] = [&](frmSerial& form) {
        seen_by_change.emplace_back(form.control("CmbNet").caption,
                                    form.control("CmbNet").list_index);
    };
    test::FakeSerialPort port;
    test::WindowHarness harness(port, events);
    harness.click("BTNOpenCom");
    QLineEdit* typing = static_cast<QComboBox&>(harness.widget("CmbNet")).lineEdit();
    typing->setFocus();
    typing->selectAll();

    QTest::keyClicks(typing, "17");
    QTest::keyClick(typing, Qt::Key_Backspace);
    QTest::keyClick(typing, Qt::Key_Backspace);
    QTest::keyClicks(typing, "0");

    const std::vector<std::pair<std::string, int>> expected{
        {"1", -1}, {"17", -1}, {"1", -1}, {"", -1}, {"0", 0}};
    EXPECT_EQ(seen_by_change, expected);
    EXPECT_EQ(typing->text(), QString("0"));
}

TEST(OperatorInput, TypingInsideTheAddressKeepsTheCursorWhereTheOperatorPutIt) {
    test::FakeSerialPort port;
    test::WindowHarness harness(port);
    harness.click("BTNOpenCom");
    QLineEdit* typing = static_cast<QComboBox&>(harness.widget("CmbNet")).lineEdit();
    typing->setFocus();
    typing->home(false);

    // "10" is no entry of the list, so the entry "0" stops being selected under the cursor.
    QTest::keyClicks(typing, "15");

    EXPECT_EQ(harness.form.control("CmbNet").caption, "150");
    EXPECT_EQ(typing->text(), QString("150"));
}

TEST(OperatorInput, OptionButtonsAreOneGroupAndFollowTheForm) {
    test::FakeSerialPort port;
    test::WindowHarness harness(port);
    for (const char* name : {"modes", "R485", "R_a", "R_f"}) {
        harness.form.control(name).enabled = true;
    }
    harness.window.sync();

    harness.click("R485");
    harness.click("R_a");
    EXPECT_FALSE(harness.form.control("R485").checked);
    EXPECT_TRUE(harness.form.control("R_a").checked);

    // The form may leave every option unticked, which an exclusive group alone would refuse.
    harness.form.control("R_a").checked = false;
    harness.window.sync();
    EXPECT_FALSE(static_cast<QAbstractButton&>(harness.widget("R_a")).isChecked());
}

TEST(OperatorInput, TickingACheckBoxTicksItsRecord) {
    test::FakeSerialPort port;
    test::WindowHarness harness(port);
    harness.click("BTNOpenCom");

    harness.click("usredn");
    EXPECT_TRUE(harness.form.control("usredn").checked);
    harness.click("usredn");
    EXPECT_FALSE(harness.form.control("usredn").checked);
}

}  // namespace
}  // namespace qm720
