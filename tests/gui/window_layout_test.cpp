#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "gui/lamp.h"
#include "gui/text.h"
#include "support/fake_serial_port.h"
#include "window_harness.h"

namespace qm720 {
namespace {

using gui::qt_text;

class WindowLayout : public ::testing::Test {
  protected:
    test::FakeSerialPort port;
    test::WindowHarness harness{port};

    QString caption_of(std::string_view name) const {
        const QWidget& widget = harness.widget(name);
        if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
            return button->text();
        }
        if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
            return label->text();
        }
        if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
            return frame->title();
        }
        if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
            return combo->currentText();
        }
        return qobject_cast<const QLineEdit*>(&widget)->text();
    }

    QString accessible_name_of(std::string_view name) const {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(&harness.widget(name));
        return accessible == nullptr ? QString{} : accessible->text(QAccessible::Name);
    }
};

TEST_F(WindowLayout, WindowHasItsFixedClientSizeAndTitle) {
    EXPECT_EQ(harness.window.size(), QSize(497, 485));
    EXPECT_EQ(harness.window.minimumSize(), harness.window.maximumSize());
    EXPECT_EQ(harness.window.windowTitle(), QString("Настройка QM-720"));
}

struct Placement {
    std::string name;
    std::string container;  // empty: the window
    QRect pixels;
    QString caption;
};

TEST_F(WindowLayout, ControlsSitWhereTheirTwipsPutThemWithTheirCaptions) {
    const std::vector<Placement> placements{
        {"Frame2", "", {6, 0, 181, 81}, "Связь"},
        {"CmbPort", "", {16, 24, 65, 21}, "COM1"},
        {"BTNOpenCom", "Frame2", {80, 12, 93, 29}, "Открыть порт"},
        {"BTNCloseCom", "Frame2", {80, 44, 93, 29}, "Закрыть порт"},
        {"CmbNet", "", {288, 40, 49, 21}, "0"},
        {"ProgressBar1", "", {464, 16, 25, 433}, ""},
        {"Pic", "", {384, 8, 37, 33}, ""},
        {"net", "Frame3", {128, 16, 113, 45}, "Изменить &сетевой адрес"},
        {"Set_mode", "modes", {168, 72, 73, 25}, "&Установить"},
        {"sdv_verh", "Frame6", {8, 24, 81, 21}, "0"},
        {"Label8", "", {200, 400, 113, 17}, "Cтабильность уровня"},
        {"gen_txt", "", {16, 456, 249, 19}, ""},
    };
    for (const Placement& expected : placements) {
        SCOPED_TRACE(expected.name);
        const QWidget& widget = harness.widget(expected.name);
        const QWidget* container =
            expected.container.empty() ? &harness.window : &harness.widget(expected.container);
        EXPECT_EQ(widget.parentWidget(), container);
        EXPECT_EQ(widget.geometry(), expected.pixels);
        if (!expected.caption.isEmpty()) {
            EXPECT_EQ(caption_of(expected.name), expected.caption);
        }
    }
}

TEST_F(WindowLayout, EveryControlHasAnObjectOfItsName) {
    for (const Control& control : harness.form.controls()) {
        SCOPED_TRACE(control.name);
        const QString name = qt_text(control.name);
        if (control.kind == ControlKind::Timer) {
            EXPECT_NE(harness.window.findChild<QTimer*>(name), nullptr);
        } else {
            ASSERT_NE(harness.window.widget(control.name), nullptr);
            EXPECT_EQ(harness.window.widget(control.name)->objectName(), name);
        }
    }
}

TEST_F(WindowLayout, HiddenControlsStayHiddenAndTheOthersShow) {
    for (const char* name :
         {"z255", "Label7", "k", "ko", "Frame1", "InstSN", "next_ser_num", "pic1"}) {
        EXPECT_TRUE(harness.widget(name).isHidden()) << name;
    }
    for (const char* name : {"sn", "CmbNet", "Pic", "ind_stab", "ProgressBar1", "gen_txt", "R_p"}) {
        EXPECT_TRUE(harness.widget(name).isVisible()) << name;
    }
}

TEST_F(WindowLayout, StartStateShowsWhichControlsAreEnabled) {
    for (const char* name :
         {"BTNOpenCom", "CmbPort", "Chg_pass", "sdv_verh", "gen_up", "gen_txt", "Vvod_PWD"}) {
        EXPECT_TRUE(harness.widget(name).isEnabled()) << name;
    }
    for (const char* name : {"BTNCloseCom", "CmbNet", "Opros", "sdv_hi", "Label5", "R485"}) {
        EXPECT_FALSE(harness.widget(name).isEnabled()) << name;
    }
}

TEST_F(WindowLayout, ControlsAreNamedByTheirCaptionOrElseByTheirName) {
    EXPECT_EQ(accessible_name_of("BTNOpenCom"), QString("Открыть порт"));
    EXPECT_EQ(accessible_name_of("Label4"), QString("Сетевой Адрес"));
    EXPECT_EQ(accessible_name_of("Frame8"), QString("Команды сдвига"));
    // Qt's Linux bridge names a combo box by its text and leaves the rest to label relations, so
    // the widget's own accessible name is what is checked here.
    for (const char* name :
         {"CmbPort", "CmbNet", "gen_txt", "sdv_niz", "ProgressBar1", "Pic", "ind_stab"}) {
        EXPECT_EQ(harness.widget(name).accessibleName(), QString(name));
    }
    EXPECT_EQ(accessible_name_of("ProgressBar1"), QString("ProgressBar1"));
}

TEST_F(WindowLayout, CaptionsAreDrawnInAFontWithCyrillicGlyphs) {
    for (const char* name : {"BTNOpenCom", "sn", "MsgCom", "Opros"}) {
        SCOPED_TRACE(name);
        const QFont font = harness.widget(name).font();
        EXPECT_TRUE(QStringList({"Liberation Sans Narrow", "Liberation Sans",
                                 "DejaVu Sans Condensed", "DejaVu Sans"})
                        .contains(QFontInfo(font).family()))
            << QFontInfo(font).family().toStdString();
        const QFontMetrics metrics(font);
        for (const char32_t letter : {U'Д', U'ж', U'Я', U'ы'}) {
            EXPECT_TRUE(metrics.inFontUcs4(letter));
        }
    }
}

TEST_F(WindowLayout, FormColoursAreReadAsBlueGreenRed) {
    harness.form.control("Pic").fill_colour = 0x10FFFF;
    harness.form.control("hi").back_colour = 0x0000FF;
    harness.form.control("h").back_colour = kButtonFace;
    harness.window.sync();

    EXPECT_EQ(static_cast<gui::Lamp&>(harness.widget("Pic")).fill(), QColor(0xFF, 0xFF, 0x10));
    const QWidget& highlighted = harness.widget("hi");
    EXPECT_TRUE(highlighted.autoFillBackground());
    EXPECT_EQ(highlighted.palette().color(QPalette::Window), QColor(0xFF, 0x00, 0x00));
    EXPECT_FALSE(harness.widget("h").autoFillBackground());
}

TEST_F(WindowLayout, TabOrderReadsRowsTopToBottomAndLeftToRight) {
    std::vector<QString> chain;
    const QWidget* widget = &harness.window;
    do {
        widget = widget->nextInFocusChain();
        if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) != 0 &&
            harness.window.widget(gui::utf8_text(widget->objectName())) == widget) {
            chain.push_back(widget->objectName());
        }
    } while (widget != &harness.window);
    const std::vector<QString> first{"CmbPort", "BTNOpenCom", "BTNCloseCom", "CmbNet", "Chg_pass"};
    ASSERT_GE(chain.size(), first.size());
    EXPECT_EQ(std::vector<QString>(chain.begin(), chain.begin() + 5), first);
    const auto position = [&](const char* name) {
        return std::find(chain.begin(), chain.end(), QString(name)) - chain.begin();
    };
    EXPECT_LT(position("sdv_verh"), position("sdv_hi"));
    EXPECT_LT(position("low"), position("net"));
    EXPECT_LT(position("net"), position("hig"));
    EXPECT_LT(position("Set_mode"), position("Gen_ust"));
    EXPECT_LT(position("Vvod_PWD"), position("gen_txt"));
    EXPECT_EQ(chain.back(), QString("gen_txt"));
}

}  // namespace
}  // namespace qm720
