#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include "gui/qt_dialogs.h"
#include "support/fake_serial_port.h"
#include "window_harness.h"

namespace qm720 {
namespace {

QStringList button_texts(QWidget& box) {
    QStringList texts;
    for (const QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
        texts << QString(button->text()).remove('&');
    }
    texts.sort();
    return texts;
}

void press(QWidget& box, const QString& text) {
    for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
        if (QString(button->text()).remove('&') == text) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
}

TEST(Boxes, YesNoBoxAsksInRussianAndOnlyYesProceeds) {
    gui::QtDialogs dialogs;
    QStringList buttons;
    test::when_box_shows([&](QWidget& box) {
        buttons = button_texts(box);
        press(box, "Нет");
    });
    EXPECT_FALSE(dialogs.yes_no_box("Записать?"));
    EXPECT_EQ(buttons, QStringList({"Да", "Нет"}));

    test::when_box_shows([](QWidget& box) { press(box, "Да"); });
    EXPECT_TRUE(dialogs.yes_no_box("Записать?"));
}

TEST(Boxes, InputBoxReturnsTheTypedTextOrNothingOnCancel) {
    gui::QtDialogs dialogs;
    QString prompt;
    test::when_box_shows([&](QWidget& box) {
        auto& input = static_cast<QInputDialog&>(box);
        prompt = input.labelText();
        input.setTextValue("1234");
        input.accept();
    });
    EXPECT_EQ(dialogs.input_box("Пароль", "Ввод", "0"), "1234");
    EXPECT_EQ(prompt, QString("Пароль"));

    test::when_box_shows([](QWidget& box) { static_cast<QInputDialog&>(box).reject(); });
    EXPECT_EQ(dialogs.input_box("Пароль", "Ввод", "0"), "");
}

TEST(Boxes, FailedOpenWarnsWithTheExclamationBoxAndStaysClosed) {
    test::FakeSerialPort port;
    port.open_succeeds = false;
    test::WindowHarness harness(port);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    test::when_box_shows([&](QWidget& box) {
        auto& message = static_cast<QMessageBox&>(box);
        icon = message.icon();
        text = message.text();
        message.accept();
    });

    harness.click("BTNOpenCom");

    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(text, QString("Com Port COM1 недоступен. Установите нужный порт."));
    EXPECT_TRUE(harness.widget("BTNOpenCom").isEnabled());
    EXPECT_FALSE(harness.widget("BTNCloseCom").isEnabled());
}

}  // namespace
}  // namespace qm720
