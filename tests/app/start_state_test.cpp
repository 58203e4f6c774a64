#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/form_harness.h"

namespace qm720 {
namespace {

using K = ControlKind;
constexpr bool kOn = true, kOff = false, kShown = true, kHidden = false;

struct Row {
    std::string name;
    ControlKind kind;
    std::string caption, group;
    bool enabled, shown;
    double bold;  // the size of a bold font; 0 for the regular 8.25 pt
};

// The window as the operator first sees it, one row per control.
const std::vector<Row> kStartState = {
    {"Frame2", K::Frame, "Связь", "2", kOn, kShown, 0},
    {"CmbPort", K::ComboBox, "COM1:", "7", kOn, kShown, 0},
    {"BTNOpenCom", K::CommandButton, "Открыть порт", "2", kOn, kShown, 0},
    {"BTNCloseCom", K::CommandButton, "Закрыть порт", "9", kOff, kShown, 0},
    {"Label5", K::Label, "Сер. Номер", "9", kOff, kShown, 9.75},
    {"sn", K::Label, "0", "9", kOff, kShown, 12},
    {"Label4", K::Label, "Сетевой Адрес", "9", kOff, kShown, 0},
    {"CmbNet", K::ComboBox, "0", "9", kOff, kShown, 0},
    {"Pic", K::Shape, "", "", kOn, kShown, 0},
    {"Chg_pass", K::CommandButton, "Изменить пароль", "", kOn, kShown, 0},
    {"ProgressBar1", K::ProgressBar, "", "", kOn, kShown, 0},
    {"Frame4", K::Frame, "Установки", "9", kOff, kShown, 0},
    {"l", K::Label, "Пустой", "9", kOff, kShown, 0},
    {"lo", K::Label, "нет данных", "9", kOff, kShown, 0},
    {"h", K::Label, "Полный", "9", kOff, kShown, 0},
    {"hi", K::Label, "нет данных", "9", kOff, kShown, 0},
    {"n", K::Label, "Сетевой адрес", "9", kOff, kShown, 0},
    {"ne", K::Label, "нет данных", "9", kOff, kShown, 0},
    {"k", K::Label, "K", "", kOff, kHidden, 0},
    {"ko", K::Label, "0", "9", kOff, kHidden, 0},
    {"Frame5", K::Frame, "Текущие параметры", "9", kOff, kShown, 0},
    {"ur", K::Label, "Уровень", "9", kOff, kShown, 0},
    {"uroven", K::Label, "нет данных", "9", kOff, kShown, 9.75},
    {"te", K::Label, "Темп-ра", "9", kOff, kShown, 0},
    {"temp", K::Label, "нет данных", "9", kOff, kShown, 9.75},
    {"tek_l", K::Label, "Текущий", "9", kOff, kShown, 0},
    {"tek", K::Label, "нет данных", "9", kOff, kShown, 9.75},
    {"Frame3", K::Frame, "Команды", "9", kOff, kShown, 0},
    {"low", K::CommandButton, "Установить пустой", "9", kOff, kShown, 0},
    {"hig", K::CommandButton, "Установить полный", "9", kOff, kShown, 0},
    {"net", K::CommandButton, "Изменить &сетевой адрес", "9", kOff, kShown, 0},
    {"Opros", K::CommandButton, "Опрос сети", "9", kOff, kShown, 8.25},
    {"modes", K::Frame, "Режимы", "9", kOff, kShown, 0},
    {"R485", K::OptionButton, "", "9", kOff, kShown, 0},
    {"R_485", K::Label, "Режим RS-485", "9", kOff, kShown, 0},
    {"R_a", K::OptionButton, "", "130", kOff, kShown, 0},
    {"R_analog", K::Label, "Аналоговый Режим", "130", kOff, kShown, 0},
    {"R_f", K::OptionButton, "", "130", kOff, kShown, 0},
    {"R_fr", K::Label, "Частотный режим", "130", kOff, kShown, 0},
    {"R_p", K::OptionButton, "", "131", kOff, kShown, 0},
    {"R_per", K::Label, "Периодический", "131", kOff, kShown, 0},
    {"R_p485", K::OptionButton, "", "163", kOff, kShown, 0},
    {"Label2", K::Label, "Периодический RS485", "163", kOff, kShown, 0},
    {"iinv", K::CheckBox, "", "9", kOff, kShown, 0},
    {"invers", K::Label, "Инверсия индикатора", "9", kOff, kShown, 0},
    {"usredn", K::CheckBox, "", "9", kOff, kShown, 0},
    {"usred", K::Label, "Сглаживание", "9", kOff, kShown, 0},
    {"D_4096", K::CheckBox, "", "163", kOff, kShown, 0},
    {"Label6", K::Label, "Диапазон 4096", "163", kOff, kShown, 0},
    {"Set_mode", K::CommandButton, "&Установить", "9", kOff, kShown, 0},
    {"Gen_ust", K::CommandButton, "Сгенерировать", "5", kOn, kShown, 0},
    {"Frame8", K::Frame, "Команды сдвига", "", kOn, kShown, 0},
    {"Frame6", K::Frame, "Полный", "5", kOn, kShown, 8.25},
    {"sdv_verh", K::TextBox, "0", "5", kOn, kShown, 0},
    {"sdv_hi", K::CommandButton, "Сдвиг", "163", kOff, kShown, 0},
    {"gen_up", K::CommandButton, "сгенерировать", "5", kOn, kShown, 0},
    {"Frame7", K::Frame, "Пустой", "5", kOn, kShown, 8.25},
    {"sdv_niz", K::TextBox, "0", "5", kOn, kShown, 0},
    {"sdv_low", K::CommandButton, "Сдвиг", "163", kOff, kShown, 0},
    {"gen_down", K::CommandButton, "сгенерировать", "5", kOn, kShown, 0},
    {"Kalibr_warning", K::Label, "", "9", kOff, kShown, 8.25},
    {"Label3", K::Label, "Устройства в сети:", "9", kOff, kShown, 0},
    {"netdev", K::Label, "Устройства не определены", "9", kOff, kShown, 0},
    {"vv", K::Label, "-------------------", "9", kOff, kShown, 9.75},
    {"ver2", K::Label, "Версия ПО", "9", kOff, kShown, 0},
    {"Label8", K::Label, "Cтабильность уровня", "9", kOff, kShown, 0},
    {"ind_stab", K::Shape, "", "", kOn, kShown, 0},
    {"MsgCom", K::Label, "", "9", kOff, kShown, 12},
    {"Vvod_PWD", K::CommandButton, "Ввести пароль", "163", kOn, kShown, 0},
    {"gen_txt", K::TextBox, "", "5", kOn, kShown, 8.25},
    {"TMRComm", K::Timer, "", "", kOff, kShown, 0},
    {"z255", K::CheckBox, "", "", kOn, kHidden, 0},
    {"Label7", K::Label, "Запрашивать 255-й", "", kOn, kHidden, 0},
    {"Frame1", K::Frame, "Commands and Results", "", kOn, kHidden, 0},
    {"Label1", K::Label, "Text Returned:", "", kOn, kHidden, 0},
    {"txtRec", K::TextBox, "", "9", kOn, kHidden, 0},
    {"InstSN", K::CommandButton, "&Serial num", "9", kOff, kHidden, 0},
    {"next_ser_num", K::CommandButton, "&Next serial num", "9", kOff, kHidden, 0},
    {"pic1", K::Shape, "", "", kOn, kHidden, 0},
};

TEST(StartState, TheWindowHoldsExactlyTheseControls) {
    test::FormHarness harness;
    const frmSerial& form = harness.form;
    ASSERT_EQ(form.controls().size(), kStartState.size());
    for (const Row& row : kStartState) {
        SCOPED_TRACE(row.name);
        const Control& control = form.control(row.name);
        bool shown = control.visible;  // it and every frame around it
        for (const Control* c = &control; shown && !c->parent.empty();) {
            c = &form.control(c->parent);
            shown = c->visible;
        }
        EXPECT_EQ(control.kind, row.kind);
        EXPECT_EQ(control.caption, row.caption);
        EXPECT_EQ(control.tag, row.group);
        EXPECT_EQ(control.enabled, row.enabled);
        EXPECT_EQ(shown, row.shown);
        EXPECT_FALSE(control.checked);
        EXPECT_EQ(control.font.bold, row.bold > 0);
        EXPECT_EQ(control.font.points, row.bold > 0 ? row.bold : 8.25);
    }
    EXPECT_EQ(form.control("Pic").fill_colour, 0x00FFFFu);
    EXPECT_EQ(form.control("ind_stab").fill_colour, 0xC0C0C0u);
    EXPECT_EQ(form.control("pic1").fill_colour, 0x0000FFu);
    EXPECT_EQ(form.control("ProgressBar1").maximum, 1024);
    EXPECT_EQ(form.control("TMRComm").interval_ms, 1000);
    EXPECT_TRUE(form.control("txtRec").multi_line);
}

TEST(StartState, ControlsInsideAFrameFitItAndDoNotOverlap) {
    test::FormHarness harness;
    for (const Control& a : harness.form.controls()) {
        const Control& frame = harness.form.control(a.parent.empty() ? a.name : a.parent);
        EXPECT_TRUE(&frame == &a || (a.left >= 0 && a.top >= 0 && a.left + a.width <= frame.width &&
                                     a.top + a.height <= frame.height))
            << a.name;
        for (const Control& b : harness.form.controls()) {
            EXPECT_TRUE(&frame == &a || &a == &b || a.parent != b.parent ||
                        a.left >= b.left + b.width || b.left >= a.left + a.width ||
                        a.top >= b.top + b.height || b.top >= a.top + a.height)
                << a.name << " and " << b.name;
        }
    }
}

// Start-up fills the lists; a log that cannot start is reported, and the window works on
// unrecorded.
TEST(FormLoad, FillsTheListsAndReportsALogThatCannotStart) {
    test::FormHarness harness;
    // Under a regular file no folder can be made, not even by root.
    const std::filesystem::path not_a_folder = harness.folder.path() / "program";
    std::ofstream(not_a_folder) << "x";
    frmSerial form(harness.port, harness.dialogs, harness.clock, not_a_folder.string());

    form.Form_Load();
    form.str_to_log("nowhere to go");

    std::vector<std::string> ports;
    for (int number = 1; number <= 30; ++number) {
        ports.push_back("COM" + std::to_string(number));
    }
    EXPECT_EQ(form.control("CmbPort").list, ports);
    EXPECT_EQ(form.control("CmbPort").list_index, 0);
    EXPECT_EQ(form.control("CmbPort").caption, "COM1");
    EXPECT_EQ(form.control("CmbNet").list, std::vector<std::string>{"0"});
    EXPECT_EQ(form.control("CmbNet").list_index, 0);
    EXPECT_TRUE(harness.port.opens.empty());
    ASSERT_EQ(harness.dialogs.shown.size(), 1u);
    const test::ShownBox& box = harness.dialogs.shown[0];
    EXPECT_EQ(std::tie(box.kind, box.text, box.title, box.icon),
              std::make_tuple(test::BoxKind::Message, std::strerror(ENOTDIR),
                              "Error#" + std::to_string(ENOTDIR), BoxIcon::Critical));
    EXPECT_TRUE(form.log.log_path().empty());
}

}  // namespace
}  // namespace qm720
