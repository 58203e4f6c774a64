// The real window offscreen: what only the widgets can get wrong.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "app/cp1251.h"

#include "gui/all_form_events.h"
#include "gui/form_window.h"
#include "gui/lamp.h"
#include "gui/port_tool_tips.h"
#include "gui/qt_dialogs.h"
#include "gui/russian_translations.h"
#include "gui/text.h"
#include "gui/window_font.h"
#include "support/fake_serial_port.h"
#include "support/form_harness.h"
#include "support/temp_folder.h"

namespace qm720 {
namespace {

using gui::qt_text;

struct QtApplication : ::testing::Environment {
    void SetUp() override {
        gui::install_russian_translations(*(app = new QApplication(argc, argv)));
    }
    void TearDown() override { delete app; }
    int argc = 1;
    char name[10] = "gui_tests", *argv[2] = {name, nullptr};
    QApplication* app = nullptr;
};
const auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

// The window as the program builds it, real Qt boxes, QM720_PORTS a fresh folder; shown.
// `before_load` may spoil the log's home before start-up.
struct Harness {
    explicit Harness(
        FormEventTable events = gui::all_form_events(),
        const std::function<void(const std::filesystem::path& log_home)>& before_load = {})
        : window(form, std::move(events), gui::port_device_tool_tips()) {
        dialogs.show_over(&window, [this] { window.sync(); });
        if (before_load) {
            before_load(folder.path());
        }
        window.load();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWidget& widget(std::string_view name) const { return *window.widget(name); }
    void click(std::string_view name) {
        const QWidget& target = widget(name);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          target.mapTo(&window, target.rect().center()));
    }

    test::TempFolder ports, folder;
    const int set = setenv("QM720_PORTS", ports.string().c_str(), 1);
    test::FakeSerialPort port;
    test::FixedClock clock{test::kStartTime};
    gui::QtDialogs dialogs;
    frmSerial form{port, dialogs, clock, folder.string()};
    gui::FormWindow window;
};

// Runs `answer` on the first modal box once `ready` holds, polling from the event loop.
void when_box_shows(
    std::function<void(QWidget& box)> answer, std::function<bool()> ready = [] { return true; }) {
    QTimer::singleShot(10, [answer = std::move(answer), ready = std::move(ready)]() mutable {
        QWidget* box = QApplication::activeModalWidget();
        box != nullptr&& ready() ? answer(*box)
                                 : when_box_shows(std::move(answer), std::move(ready));
    });
}

TEST(Window, EveryRecordHasAWidgetInACyrillicFontAtItsPixelsReadByCaptionOrName) {
    Harness h;
    ASSERT_FALSE(gui::window_font_family().isEmpty()) << "no font with Cyrillic glyphs was found";
    for (const Control& control : h.form.controls()) {
        SCOPED_TRACE(control.name);
        if (control.kind == ControlKind::Timer) {
            EXPECT_NE(h.window.findChild<QTimer*>(qt_text(control.name)), nullptr);
            continue;
        }
        const QWidget* widget = h.window.widget(control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), qt_text(control.name));
        EXPECT_EQ(widget->isHidden(), !control.visible);
        EXPECT_EQ(widget->isEnabledTo(widget->parentWidget()), control.enabled);
        for (const char* text : {"title", "currentText", "plainText", "text"}) {
            if (control.kind != ControlKind::ProgressBar && widget->property(text).isValid()) {
                EXPECT_EQ(widget->property(text).toString(), qt_text(control.caption));
                break;
            }
        }
        EXPECT_EQ(QFontInfo(widget->font()).family(), gui::window_font_family());
        EXPECT_TRUE(QFontMetrics(widget->font()).inFontUcs4(U'Ж'));
    }
    // Twips over fifteen; read by caption without access key, else by name; colours are BGR.
    EXPECT_EQ(h.window.windowTitle(), "Настройка QM-720");
    EXPECT_EQ(h.window.minimumSize(), QSize(497, 485));
    EXPECT_EQ(h.window.maximumSize(), QSize(497, 485));
    const std::tuple<const char*, const char*, QRect, const char*> placements[] = {
        {"Frame2", nullptr, {6, 0, 181, 81}, "Связь"},
        {"net", "Frame3", {128, 16, 113, 45}, "Изменить сетевой адрес"},
        {"sdv_verh", "Frame6", {8, 24, 81, 21}, "sdv_verh"},
    };
    for (const auto& [name, container, pixels, read_as] : placements) {
        SCOPED_TRACE(name);
        QWidget& widget = h.widget(name);
        EXPECT_EQ(widget.parentWidget(), container ? &h.widget(container) : &h.window);
        EXPECT_EQ(widget.geometry(), pixels);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name), read_as);
    }
    EXPECT_EQ(static_cast<gui::Lamp&>(h.widget("Pic")).fill(), QColor(Qt::yellow));
    h.form.control("hi").back_colour = 0x0000FF;
    h.window.sync();
    EXPECT_EQ(h.widget("hi").palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_TRUE(h.widget("hi").autoFillBackground());
}

// A failed open warns; keys choose COM3; option buttons are one group the form may untick.
TEST(Window, ChosenPortOpensAfterAWarnedFailureAndKeysAndClicksReachTheRecords) {
    std::vector<std::pair<std::string, int>> seen;
    FormEventTable events = gui::all_form_events();
    events["CmbNet_Change"] = [&](frmSerial& form) {
        seen.emplace_back(form.control("CmbNet").caption, form.control("CmbNet").list_index);
    };
    Harness h(events);
    h.port.open_succeeds = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    when_box_shows([&](QWidget& box) {
        icon = static_cast<QMessageBox&>(box).icon();
        static_cast<QMessageBox&>(box).accept();
    });
    h.click("BTNOpenCom");
    EXPECT_EQ(icon, QMessageBox::Warning);

    h.port.open_succeeds = true;
    auto& list = static_cast<QComboBox&>(h.widget("CmbPort"));
    EXPECT_EQ(list.itemData(2, Qt::ToolTipRole).toString(), qt_text(h.ports.string() + "/COM3"));
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    h.click("BTNOpenCom");
    ASSERT_EQ(h.port.opens.size(), 2U);
    EXPECT_EQ(h.port.opens[1].device_path, "\\\\.\\COM3");
    EXPECT_TRUE(h.widget("R485").isEnabled());  // in a frame enabled with it
    EXPECT_FALSE(h.widget("BTNOpenCom").isEnabled());
    QLineEdit* typing = static_cast<QComboBox&>(h.widget("CmbNet")).lineEdit();
    typing->home(false);
    QTest::keyClicks(typing, "15");  // in front of the entry "0", unselecting it
    typing->selectAll();
    QTest::keyClicks(typing, "0");
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{"10", -1}, {"150", -1}, {"0", 0}}));
    h.form.control("TMRComm").interval_ms = 5;
    h.window.sync();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !h.port.writes.empty(); }));

    for (const char* name : {"modes", "R485", "R_a", "usredn"}) {
        h.form.control(name).enabled = true;
    }
    h.window.sync();
    for (const char* name : {"R485", "R_a", "usredn"}) {
        h.click(name);
    }
    EXPECT_FALSE(h.form.control("R485").checked);
    EXPECT_TRUE(h.form.control("R_a").checked);
    EXPECT_TRUE(h.form.control("usredn").checked);
    h.form.control("R_a").checked = false;
    h.window.sync();
    EXPECT_FALSE(static_cast<QAbstractButton&>(h.widget("R_a")).isChecked());
}

// A file stands where the log folder goes: the box says so as the running tool does, and once
// the folder can be made the next line is written after the count of the records lost.
TEST(Window, ALogThatCannotStartIsSaidInThePlainBoxAndTheNextLineIsWritten) {
    std::string title, text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    when_box_shows([&](QWidget& box) {
        auto& message = static_cast<QMessageBox&>(box);
        std::tie(title, text, icon) = std::tuple(gui::utf8_text(message.windowTitle()),
                                                 gui::utf8_text(message.text()), message.icon());
        message.accept();
    });
    Harness h(gui::all_form_events(), [](const std::filesystem::path& home) {
        std::ofstream(home / "log") << "not a folder";
    });
    const std::filesystem::path file = h.folder.path() / "log" / "05122026_214315.log";
    EXPECT_EQ(text, "Журнал не записывается: " + file.string() + ": " + std::strerror(ENOTDIR));
    EXPECT_EQ(title, gui::utf8_text(QCoreApplication::applicationName()));
    EXPECT_EQ(icon, QMessageBox::NoIcon);

    std::filesystem::remove(h.folder.path() / "log");
    h.click("BTNOpenCom");
    EXPECT_EQ(test::file_bytes(file.string()),
              utf8_to_cp1251("\"21:43:15 : Потеряно записей журнала: 1\"\r\n"
                             "\"21:43:15 : Com Port \\\\.\\COM1 Open\"\r\n"));
}

TEST(Boxes, YesNoBoxReadsDaAndNetAndInputBoxReturnsTheTypedText) {
    gui::QtDialogs dialogs;
    for (const bool yes : {true, false}) {
        QStringList buttons;
        when_box_shows([&](QWidget& box) {
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
        when_box_shows([&](QWidget& box) {
            auto& input = static_cast<QInputDialog&>(box);
            prompt = input.labelText();
            input.setTextValue("1234");
            yes ? input.accept() : input.reject();
        });
        EXPECT_EQ(dialogs.input_box("Пароль", "Ввод", "0"), yes ? "1234" : "");
        EXPECT_EQ(prompt, "Пароль");
    }
}

// The timer expires four times in a box's own event loop, whoever opened it: no tick may run.
TEST(Tick, NoTickRunsWhileABoxIsOpen) {
    int ticks = 0, depth = 0, ticks_while_open = -1, expiries = 0;
    bool last_tick = false;
    FormEventTable events;
    events["TMRComm_Timer"] = [&](frmSerial& form) {
        EXPECT_EQ(++depth, 1);
        if (++ticks == 1) {
            form.control("TMRComm").interval_ms = 6;
            form.dialogs.message_box("Нет ответа", "", BoxIcon::None);
        }
        form.control("TMRComm").enabled = !last_tick;
        --depth;
    };
    events["hig_Click"] = [&](frmSerial& form) {
        const int before = ticks;
        form.dialogs.yes_no_box("Сейчас будет произведена перекалибровка верхнего уровня.");
        ticks_while_open = ticks - before;
    };
    Harness h(events);
    auto* timer = h.window.findChild<QTimer*>("TMRComm");
    QObject::connect(timer, &QTimer::timeout, [&] { ++expiries; });
    const auto answer_after_four_expiries = [&] {
        when_box_shows([](QWidget& box) { static_cast<QDialog&>(box).done(0); },
                       [&, open = expiries] { return expiries >= open + 4; });
    };
    answer_after_four_expiries();
    h.form.control("TMRComm").interval_ms = 5;
    for (const char* name : {"TMRComm", "hig", "Frame3"}) {
        h.form.control(name).enabled = true;
    }
    h.window.sync();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }));
    answer_after_four_expiries();
    h.click("hig");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks_while_open >= 0; }));
    EXPECT_EQ(ticks_while_open, 0);
    last_tick = true;  // a tick that disables its timer stops the Qt timer
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }));
}

}  // namespace
}  // namespace qm720
