#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "support/form_harness.h"

namespace qm720 {
namespace {

using test::FormHarness;

constexpr bool kOn = true;
constexpr bool kOff = false;

struct StartState {
    std::string name;
    ControlKind kind;
    std::string caption;
    std::string group;
    bool enabled;
};

// The window as the operator first sees it, control by control.
const std::vector<StartState> kStartStates = {
    {"Frame2", ControlKind::Frame, "Связь", "2", kOn},
    {"CmbPort", ControlKind::ComboBox, "COM1:", "7", kOn},
    {"BTNOpenCom", ControlKind::CommandButton, "Открыть порт", "2", kOn},
    {"BTNCloseCom", ControlKind::CommandButton, "Закрыть порт", "9", kOff},
    {"Label5", ControlKind::Label, "Сер. Номер", "9", kOff},
    {"sn", ControlKind::Label, "0", "9", kOff},
    {"Label4", ControlKind::Label, "Сетевой Адрес", "9", kOff},
    {"CmbNet", ControlKind::ComboBox, "0", "9", kOff},
    {"Pic", ControlKind::Shape, "", "", kOn},
    {"Chg_pass", ControlKind::CommandButton, "Изменить пароль", "", kOn},
    {"ProgressBar1", ControlKind::ProgressBar, "", "", kOn},
    {"Frame4", ControlKind::Frame, "Установки", "9", kOff},
    {"l", ControlKind::Label, "Пустой", "9", kOff},
    {"lo", ControlKind::Label, "нет данных", "9", kOff},
    {"h", ControlKind::Label, "Полный", "9", kOff},
    {"hi", ControlKind::Label, "нет данных", "9", kOff},
    {"n", ControlKind::Label, "Сетевой адрес", "9", kOff},
    {"ne", ControlKind::Label, "нет данных", "9", kOff},
    {"k", ControlKind::Label, "K", "", kOff},
    {"ko", ControlKind::Label, "0", "9", kOff},
    {"Frame5", ControlKind::Frame, "Текущие параметры", "9", kOff},
    {"ur", ControlKind::Label, "Уровень", "9", kOff},
    {"uroven", ControlKind::Label, "нет данных", "9", kOff},
    {"te", ControlKind::Label, "Темп-ра", "9", kOff},
    {"temp", ControlKind::Label, "нет данных", "9", kOff},
    {"tek_l", ControlKind::Label, "Текущий", "9", kOff},
    {"tek", ControlKind::Label, "нет данных", "9", kOff},
    {"Frame3", ControlKind::Frame, "Команды", "9", kOff},
    {"low", ControlKind::CommandButton, "Установить пустой", "9", kOff},
    {"hig", ControlKind::CommandButton, "Установить полный", "9", kOff},
    {"net", ControlKind::CommandButton, "Изменить &сетевой адрес", "9", kOff},
    {"Opros", ControlKind::CommandButton, "Опрос сети", "9", kOff},
    {"modes", ControlKind::Frame, "Режимы", "9", kOff},
    {"R485", ControlKind::OptionButton, "", "9", kOff},
    {"R_485", ControlKind::Label, "Режим RS-485", "9", kOff},
    {"R_a", ControlKind::OptionButton, "", "130", kOff},
    {"R_analog", ControlKind::Label, "Аналоговый Режим", "130", kOff},
    {"R_f", ControlKind::OptionButton, "", "130", kOff},
    {"R_fr", ControlKind::Label, "Частотный режим", "130", kOff},
    {"R_p", ControlKind::OptionButton, "", "131", kOff},
    {"R_per", ControlKind::Label, "Периодический", "131", kOff},
    {"R_p485", ControlKind::OptionButton, "", "163", kOff},
    {"Label2", ControlKind::Label, "Периодический RS485", "163", kOff},
    {"iinv", ControlKind::CheckBox, "", "9", kOff},
    {"invers", ControlKind::Label, "Инверсия индикатора", "9", kOff},
    {"usredn", ControlKind::CheckBox, "", "9", kOff},
    {"usred", ControlKind::Label, "Сглаживание", "9", kOff},
    {"D_4096", ControlKind::CheckBox, "", "163", kOff},
    {"Label6", ControlKind::Label, "Диапазон 4096", "163", kOff},
    {"Set_mode", ControlKind::CommandButton, "&Установить", "9", kOff},
    {"Gen_ust", ControlKind::CommandButton, "Сгенерировать", "5", kOn},
    {"Frame8", ControlKind::Frame, "Команды сдвига", "", kOn},
    {"Frame6", ControlKind::Frame, "Полный", "5", kOn},
    {"sdv_verh", ControlKind::TextBox, "0", "5", kOn},
    {"sdv_hi", ControlKind::CommandButton, "Сдвиг", "163", kOff},
    {"gen_up", ControlKind::CommandButton, "сгенерировать", "5", kOn},
    {"Frame7", ControlKind::Frame, "Пустой", "5", kOn},
    {"sdv_niz", ControlKind::TextBox, "0", "5", kOn},
    {"sdv_low", ControlKind::CommandButton, "Сдвиг", "163", kOff},
    {"gen_down", ControlKind::CommandButton, "сгенерировать", "5", kOn},
    {"Kalibr_warning", ControlKind::Label, "", "9", kOff},
    {"Label3", ControlKind::Label, "Устройства в сети:", "9", kOff},
    {"netdev", ControlKind::Label, "Устройства не определены", "9", kOff},
    {"vv", ControlKind::Label, "-------------------", "9", kOff},
    {"ver2", ControlKind::Label, "Версия ПО", "9", kOff},
    {"Label8", ControlKind::Label, "Cтабильность уровня", "9", kOff},
    {"ind_stab", ControlKind::Shape, "", "", kOn},
    {"MsgCom", ControlKind::Label, "", "9", kOff},
    {"Vvod_PWD", ControlKind::CommandButton, "Ввести пароль", "163", kOn},
    {"gen_txt", ControlKind::TextBox, "", "5", kOn},
    {"TMRComm", ControlKind::Timer, "", "", kOff},
    {"z255", ControlKind::CheckBox, "", "", kOn},
    {"Label7", ControlKind::Label, "Запрашивать 255-й", "", kOn},
    {"Frame1", ControlKind::Frame, "Commands and Results", "", kOn},
    {"Label1", ControlKind::Label, "Text Returned:", "", kOn},
    {"txtRec", ControlKind::TextBox, "", "9", kOn},
    {"InstSN", ControlKind::CommandButton, "&Serial num", "9", kOff},
    {"next_ser_num", ControlKind::CommandButton, "&Next serial num", "9", kOff},
    {"pic1", ControlKind::Shape, "", "", kOn},
};

const std::set<std::string> kHidden = {"z255",   "Label7", "k",      "ko",           "Frame1",
                                       "InstSN", "pic1",   "Label1", "next_ser_num", "txtRec"};

// Shown only when the control and every frame around it are visible.
bool shown(const frmSerial& form, const Control& control) {
    const Control* c = &control;
    while (c->visible && !c->parent.empty()) {
        c = &form.control(c->parent);
    }
    return c->visible;
}

TEST(StartState, TheWindowHoldsExactlyTheseControlsInTheirStartState) {
    FormHarness harness;
    ASSERT_EQ(harness.form.controls().size(), kStartStates.size());
    for (const StartState& expected : kStartStates) {
        SCOPED_TRACE(expected.name);
        const Control& control = harness.form.control(expected.name);
        EXPECT_EQ(control.kind, expected.kind);
        EXPECT_EQ(control.caption, expected.caption);
        EXPECT_EQ(control.tag, expected.group);
        EXPECT_EQ(control.enabled, expected.enabled);
        EXPECT_EQ(shown(harness.form, control), !kHidden.contains(expected.name));
        EXPECT_FALSE(control.checked);
    }
    EXPECT_THROW(harness.form.control("CmbNett"), std::logic_error);
}

TEST(StartState, ControlsInsideAFrameFitItAndDoNotOverlap) {
    const auto overlap = [](const Control& a, const Control& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    FormHarness harness;
    for (const Control& control : harness.form.controls()) {
        if (control.parent.empty()) {
            continue;
        }
        const Control& frame = harness.form.control(control.parent);
        EXPECT_TRUE(control.left >= 0 && control.top >= 0 && control.width > 0 &&
                    control.height > 0 && control.left + control.width <= frame.width &&
                    control.top + control.height <= frame.height)
            << control.name << " in " << frame.name;
        for (const Control& other : harness.form.controls()) {
            EXPECT_TRUE(&other == &control || other.parent != control.parent ||
                        !overlap(control, other))
                << control.name << " and " << other.name;
        }
    }
}

TEST(StartState, FontsColoursLevelBarAndTimer) {
    const std::map<std::string, double> bold = {{"Frame6", 8.25},
                                                {"Frame7", 8.25},
                                                {"gen_txt", 8.25},
                                                {"Opros", 8.25},
                                                {"Kalibr_warning", 8.25},
                                                {"uroven", 9.75},
                                                {"temp", 9.75},
                                                {"tek", 9.75},
                                                {"vv", 9.75},
                                                {"Label5", 9.75},
                                                {"MsgCom", 12},
                                                {"sn", 12}};
    FormHarness harness;
    const frmSerial& form = harness.form;
    for (const Control& control : form.controls()) {
        const auto found = bold.find(control.name);
        EXPECT_EQ(control.font.bold, found != bold.end()) << control.name;
        EXPECT_EQ(control.font.points, found != bold.end() ? found->second : 8.25) << control.name;
        EXPECT_EQ(control.font.name, "MS Sans Serif");
        EXPECT_EQ(control.font.charset, 204);
    }
    EXPECT_EQ(form.control("Pic").fill_colour, 0x00FFFFu);
    EXPECT_EQ(form.control("ind_stab").fill_colour, 0xC0C0C0u);
    EXPECT_EQ(form.control("pic1").fill_colour, 0x0000FFu);
    EXPECT_EQ(form.control("ProgressBar1").maximum, 1024);
    EXPECT_EQ(form.control("TMRComm").interval_ms, 1000);
    EXPECT_TRUE(form.control("txtRec").multi_line);
}

TEST(FormLoad, FillsThePortAndAddressListsAndSetsTheVariables) {
    FormHarness harness;
    frmSerial& form = harness.form;
    form.mode_yes = false;
    form.Ur_progressBar = 4096;

    form.Form_Load();

    const Control& ports = form.control("CmbPort");
    ASSERT_EQ(ports.list.size(), 30u);
    for (std::size_t i = 0; i < ports.list.size(); ++i) {
        EXPECT_EQ(ports.list[i], "COM" + std::to_string(i + 1));
    }
    EXPECT_EQ(std::tie(ports.list_index, ports.caption), std::make_tuple(0, "COM1"));
    const Control& addresses = form.control("CmbNet");
    EXPECT_EQ(addresses.list, std::vector<std::string>{"0"});
    EXPECT_EQ(std::tie(addresses.list_index, addresses.caption), std::make_tuple(0, "0"));
    EXPECT_TRUE(form.mode_yes);
    EXPECT_EQ(form.Ur_progressBar, 1024);
    EXPECT_FALSE(form.control("TMRComm").enabled);
    EXPECT_TRUE(harness.port.opens.empty());
}

TEST(SelectedAddress, IsTheAddressTextWhenItIsAWholeNumberUpTo255) {
    const std::vector<std::pair<std::string, std::optional<std::uint8_t>>> cases = {
        {"0", 0},
        {"255", 255},
        {" 17 ", 17},
        {"+5", 5},
        {"256", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"1.5", std::nullopt},
        {"abc", std::nullopt},
        {std::string(40, '1'), std::nullopt}};
    FormHarness harness;
    for (const auto& [text, address] : cases) {
        harness.form.control("CmbNet").caption = text;
        EXPECT_EQ(harness.form.selected_address(), address) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace qm720
