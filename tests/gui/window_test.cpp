// The window as the operator first sees it, and what comes of the operator's clicks, keys and
// answers to the program's boxes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QFontInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "gui/lamp.h"
#include "gui/text.h"
#include "gui/window_font.h"
#include "support/fake_serial_port.h"
#include "support/temp_folder.h"
#include "window_harness.h"

namespace qm720 {
namespace {

using gui::qt_text;

// A fresh folder that QM720_PORTS names while it lives.
struct PortsFolder : test::TempFolder {
    PortsFolder() { setenv("QM720_PORTS", string().c_str(), 1); }
    ~PortsFolder() { unsetenv("QM720_PORTS"); }
};

class Window : public ::testing::Test {
  protected:
    PortsFolder ports;
    test::FakeSerialPort port;
    test::WindowHarness harness{port};
};

// What a control shows: a frame's title, a box's text, a button's or label's caption.
QString shown_text(const QWidget& widget) {
    for (const char* property : {"title", "currentText", "plainText", "text"}) {
        if (const QVariant text = widget.property(property); text.isValid()) {
            return text.toString();
        }
    }
    return {};
}

TEST_F(Window, EveryRecordHasAWidgetOfItsNameShowingItsRecordInAFontWithCyrillicGlyphs) {
    ASSERT_FALSE(gui::window_font_family().isEmpty()) << "no font with Cyrillic glyphs was found";
    for (const Control& control : harness.form.controls()) {
        SCOPED_TRACE(control.name);
        if (control.kind == ControlKind::Timer) {
            EXPECT_NE(harness.window.findChild<QTimer*>(qt_text(control.name)), nullptr);
            continue;
        }
        const QWidget* widget = harness.window.widget(control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), qt_text(control.name));
        EXPECT_EQ(widget->isHidden(), !control.visible);
        EXPECT_EQ(widget->isEnabledTo(widget->parentWidget()), control.enabled);
        if (control.kind != ControlKind::ProgressBar) {  // its text is Qt's percentage
            EXPECT_EQ(shown_text(*widget), qt_text(control.caption));
        }
        EXPECT_EQ(QFontInfo(widget->font()).family(), gui::window_font_family());
        for (const char32_t letter : {U'Д', U'ж', U'Я', U'ы'}) {
            EXPECT_TRUE(QFontMetrics(widget->font()).inFontUcs4(letter));
        }
    }
}

TEST_F(Window, ControlsSitAtTheirTwipsOverFifteenAndAreReadByCaptionOrElseByName) {
    EXPECT_EQ(harness.window.windowTitle(), "Настройка QM-720");
    EXPECT_EQ(harness.window.minimumSize(), QSize(497, 485));
    EXPECT_EQ(harness.window.maximumSize(), QSize(497, 485));
    // Name, container (null: the window), pixels, and what it is read as: the caption without its
    // access key, else the control's name.
    const std::tuple<const char*, const char*, QRect, const char*> placements[] = {
        {"Frame2", nullptr, {6, 0, 181, 81}, "Связь"},
        {"CmbPort", nullptr, {16, 24, 65, 21}, "CmbPort"},
        {"net", "Frame3", {128, 16, 113, 45}, "Изменить сетевой адрес"},
        {"sdv_verh", "Frame6", {8, 24, 81, 21}, "sdv_verh"},
    };
    for (const auto& [name, container, pixels, read_as] : placements) {
        SCOPED_TRACE(name);
        QWidget& widget = harness.widget(name);
        EXPECT_EQ(widget.parentWidget(),
                  container == nullptr ? &harness.window : &harness.widget(container));
        EXPECT_EQ(widget.geometry(), pixels);
        // Qt's Linux bridge reads a combo box by its text and leaves its name to label relations.
        EXPECT_EQ(qobject_cast<QComboBox*>(&widget) != nullptr
                      ? widget.accessibleName()
                      : QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name),
                  read_as);
    }
}

TEST_F(Window, ColoursAreReadAsBlueGreenRed) {
    EXPECT_EQ(static_cast<gui::Lamp&>(harness.widget("Pic")).fill(), QColor(Qt::yellow));
    harness.form.control("hi").back_colour = 0x0000FF;
    harness.window.sync();
    EXPECT_EQ(harness.widget("hi").palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_TRUE(harness.widget("hi").autoFillBackground());
    EXPECT_FALSE(harness.widget("h").autoFillBackground());
}

// The keys choose COM3, whose entry names its device, the click opens it, and the window's timer
// then runs the exchange.
TEST_F(Window, OpeningTheChosenPortEnablesTheCommandControlsAndStartsTheTicks) {
    auto& list = static_cast<QComboBox&>(harness.widget("CmbPort"));
    EXPECT_EQ(list.itemData(2, Qt::ToolTipRole).toString(), qt_text(ports.string() + "/COM3"));
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    harness.click("BTNOpenCom");
    ASSERT_EQ(port.opens.size(), 1U);
    EXPECT_EQ(port.opens[0].device_path, "\\\\.\\COM3");
    EXPECT_TRUE(harness.widget("BTNCloseCom").isEnabled());
    EXPECT_TRUE(harness.widget("R485").isEnabled());  // in a frame enabled with it
    EXPECT_FALSE(harness.widget("BTNOpenCom").isEnabled());
    harness.form.control("TMRComm").interval_ms = 5;
    harness.window.sync();
    EXPECT_TRUE(test::process_events_until([&] { return !port.writes.empty(); }));
}

TEST_F(Window, FailedOpenWarnsWithTheExclamationBox) {
    port.open_succeeds = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    test::when_box_shows([&](QWidget& box) {
        icon = static_cast<QMessageBox&>(box).icon();
        static_cast<QMessageBox&>(box).accept();
    });
    harness.click("BTNOpenCom");
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST_F(Window, OptionButtonsAreOneGroupAndCheckBoxesTickTheirRecords) {
    for (const char* name : {"modes", "R485", "R_a", "usredn"}) {
        harness.form.control(name).enabled = true;
    }
    harness.window.sync();
    for (const char* name : {"R485", "R_a", "usredn"}) {
        harness.click(name);
    }
    EXPECT_FALSE(harness.form.control("R485").checked);
    EXPECT_TRUE(harness.form.control("R_a").checked);
    EXPECT_TRUE(harness.form.control("usredn").checked);
    // The form may leave every option unticked, which an exclusive group alone would refuse.
    harness.form.control("R_a").checked = false;
    harness.window.sync();
    EXPECT_FALSE(static_cast<QAbstractButton&>(harness.widget("R_a")).isChecked());
}

TEST(WindowTyping, TypedAddressGoesToTheFormSelectingOnlyAMatchingEntryAndKeepingTheCursor) {
    std::vector<std::pair<std::string, int>> seen;  // the address record at each change
    FormEventTable events = gui::all_form_events();
    events["CmbNet_Change"] = [&](frmSerial& form) {
        seen.emplace_back(form.control("CmbNet").caption, form.control("CmbNet").list_index);
    };
    test::FakeSerialPort port;
    test::WindowHarness harness(port, events);
    harness.click("BTNOpenCom");
    QLineEdit* typing = static_cast<QComboBox&>(harness.widget("CmbNet")).lineEdit();
    typing->setFocus();
    typing->home(false);
    QTest::keyClicks(typing, "15");  // in front of the entry "0", unselecting it
    typing->selectAll();
    QTest::keyClicks(typing, "0");
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{"10", -1}, {"150", -1}, {"0", 0}}));
}

// Only Да proceeds; the input box returns what was typed, or nothing when cancelled.
TEST(Boxes, YesNoBoxReadsDaAndNetAndInputBoxReturnsTheTypedText) {
    gui::QtDialogs dialogs;
    for (const bool yes : {true, false}) {
        QStringList buttons;
        test::when_box_shows([&](QWidget& box) {
            auto& message = static_cast<QMessageBox&>(box);
            for (const QAbstractButton* button : message.buttons()) {
                buttons << QString(button->text()).remove('&');
            }
            message.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(dialogs.yes_no_box("Записать?"), yes);
        buttons.sort();
        EXPECT_EQ(buttons, QStringList({"Да", "Нет"}));

        QString prompt;
        test::when_box_shows([&](QWidget& box) {
            auto& input = static_cast<QInputDialog&>(box);
            prompt = input.labelText();
            input.setTextValue("1234");
            yes ? input.accept() : input.reject();
        });
        EXPECT_EQ(dialogs.input_box("Пароль", "Ввод", "0"), yes ? "1234" : "");
        EXPECT_EQ(prompt, "Пароль");
    }
}

}  // namespace
}  // namespace qm720
