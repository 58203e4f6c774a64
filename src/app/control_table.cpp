#include "app/control_table.h"

#include <string_view>
#include <utility>

#include "app/colours.h"

namespace qm720 {
namespace {

constexpr bool kOn = true;
constexpr bool kOff = false;
constexpr std::string_view kWindow;
constexpr int kNoGroup = 0;

constexpr int kLevelScale = 1024;
constexpr int kTickMs = 1000;

Font bold(double points) {
    Font font;
    font.points = points;
    font.bold = true;
    return font;
}

const Font kBold825 = bold(8.25);
const Font kBold975 = bold(9.75);
const Font kBold12 = bold(12);

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

Control make(ControlKind kind, std::string_view name, std::string_view parent, Twips at,
             std::string_view caption, int group, bool enabled) {
    Control control;
    control.name = name;
    control.kind = kind;
    control.parent = parent;
    control.left = at.left;
    control.top = at.top;
    control.width = at.width;
    control.height = at.height;
    control.caption = caption;
    control.group = group;
    control.enabled = enabled;
    return control;
}

Control with_font(Control control, const Font& font) {
    control.font = font;
    return control;
}

Control hidden(Control control) {
    control.visible = false;
    return control;
}

Control shape(std::string_view name, Twips at, Colour fill) {
    Control lamp = make(ControlKind::Shape, name, kWindow, at, "", kNoGroup, kOn);
    lamp.fill_colour = fill;
    return lamp;
}

// A caption label and the value label to its right, on one row of a reading frame. Both reading
// frames are 2415 wide: the caption ends just before the value, the value 120 short of the edge.
void add_row(std::vector<Control>& controls, std::string_view frame, int top, int height,
             std::pair<std::string_view, std::string_view> caption_label,
             std::pair<std::string_view, std::string_view> value_label, int value_left,
             const Font& value_font) {
    const int caption_width = value_left - 225;
    const int value_width = 2295 - value_left;
    controls.push_back(make(ControlKind::Label, caption_label.first, frame,
                            {120, top, caption_width, height}, caption_label.second, 9, kOff));
    controls.push_back(
        with_font(make(ControlKind::Label, value_label.first, frame,
                       {value_left, top, value_width, height}, value_label.second, 9, kOff),
                  value_font));
}

// An option button or check box whose caption is a label of its own beside it.
void add_choice(std::vector<Control>& controls, ControlKind kind, std::string_view name,
                std::string_view label, std::string_view caption, int group, int left, int top) {
    controls.push_back(make(kind, name, "modes", {left, top, 255, 225}, "", group, kOff));
    controls.push_back(make(ControlKind::Label, label, "modes", {left + 300, top, 1935, 225},
                            caption, group, kOff));
}

void add_connection_area(std::vector<Control>& controls) {
    controls.insert(
        controls.end(),
        {
            make(ControlKind::Frame, "Frame2", kWindow, {90, 0, 2715, 1215}, "Связь", 2, kOn),
            // Lies on the window over its frame, so its position is the window's.
            make(ControlKind::ComboBox, "CmbPort", kWindow, {240, 360, 975, 315}, "COM1:", 7, kOn),
            make(ControlKind::CommandButton, "BTNOpenCom", "Frame2", {1200, 180, 1395, 435},
                 "Открыть порт", 2, kOn),
            make(ControlKind::CommandButton, "BTNCloseCom", "Frame2", {1200, 660, 1395, 435},
                 "Закрыть порт", 9, kOff),
        });
}

void add_identity_area(std::vector<Control>& controls) {
    Control level_bar = make(ControlKind::ProgressBar, "ProgressBar1", kWindow,
                             {6960, 240, 375, 6495}, "", kNoGroup, kOn);
    level_bar.maximum = kLevelScale;
    controls.insert(
        controls.end(),
        {
            with_font(make(ControlKind::Label, "Label5", kWindow, {2880, 120, 1335, 375},
                           "Сер. Номер", 9, kOff),
                      kBold975),
            with_font(make(ControlKind::Label, "sn", kWindow, {4320, 120, 1095, 255}, "0", 9, kOff),
                      kBold12),
            make(ControlKind::Label, "Label4", kWindow, {3000, 600, 1215, 255}, "Сетевой Адрес", 9,
                 kOff),
            make(ControlKind::ComboBox, "CmbNet", kWindow, {4320, 600, 735, 315}, "0", 9, kOff),
            shape("Pic", {5760, 120, 555, 495}, kYellow),
            make(ControlKind::CommandButton, "Chg_pass", kWindow, {5400, 720, 1215, 495},
                 "Изменить пароль", kNoGroup, kOn),
            level_bar,
        });
}

void add_settings_frame(std::vector<Control>& controls) {
    controls.push_back(
        make(ControlKind::Frame, "Frame4", kWindow, {120, 1320, 2415, 1095}, "Установки", 9, kOff));
    const Font plain;
    add_row(controls, "Frame4", 240, 195, {"l", "Пустой"}, {"lo", "нет данных"}, 1320, plain);
    add_row(controls, "Frame4", 450, 195, {"h", "Полный"}, {"hi", "нет данных"}, 1320, plain);
    add_row(controls, "Frame4", 660, 195, {"n", "Сетевой адрес"}, {"ne", "нет данных"}, 1320,
            plain);
    controls.push_back(hidden(
        make(ControlKind::Label, "k", "Frame4", {120, 870, 1095, 195}, "K", kNoGroup, kOff)));
    controls.push_back(
        hidden(make(ControlKind::Label, "ko", "Frame4", {1320, 870, 975, 195}, "0", 9, kOff)));
}

void add_readings_frame(std::vector<Control>& controls) {
    controls.push_back(make(ControlKind::Frame, "Frame5", kWindow, {2640, 1320, 2415, 1095},
                            "Текущие параметры", 9, kOff));
    add_row(controls, "Frame5", 240, 255, {"ur", "Уровень"}, {"uroven", "нет данных"}, 1080,
            kBold975);
    add_row(controls, "Frame5", 510, 255, {"te", "Темп-ра"}, {"temp", "нет данных"}, 1080,
            kBold975);
    add_row(controls, "Frame5", 780, 255, {"tek_l", "Текущий"}, {"tek", "нет данных"}, 1080,
            kBold975);
}

void add_commands_frame(std::vector<Control>& controls) {
    controls.insert(
        controls.end(),
        {
            make(ControlKind::Frame, "Frame3", kWindow, {120, 2880, 3735, 975}, "Команды", 9, kOff),
            make(ControlKind::CommandButton, "low", "Frame3", {120, 240, 1695, 315},
                 "Установить пустой", 9, kOff),
            make(ControlKind::CommandButton, "hig", "Frame3", {120, 600, 1695, 315},
                 "Установить полный", 9, kOff),
            make(ControlKind::CommandButton, "net", "Frame3", {1920, 240, 1695, 675},
                 "Изменить &сетевой адрес", 9, kOff),
            with_font(make(ControlKind::CommandButton, "Opros", kWindow, {3960, 3000, 1095, 735},
                           "Опрос сети", 9, kOff),
                      kBold825),
        });
}

void add_modes_frame(std::vector<Control>& controls) {
    controls.push_back(
        make(ControlKind::Frame, "modes", kWindow, {120, 3960, 4935, 1575}, "Режимы", 9, kOff));
    const auto option = ControlKind::OptionButton;
    add_choice(controls, option, "R485", "R_485", "Режим RS-485", 9, 120, 240);
    add_choice(controls, option, "R_a", "R_analog", "Аналоговый Режим", 130, 120, 480);
    add_choice(controls, option, "R_f", "R_fr", "Частотный режим", 130, 120, 720);
    add_choice(controls, option, "R_p", "R_per", "Периодический", 131, 120, 960);
    add_choice(controls, option, "R_p485", "Label2", "Периодический RS485", 163, 120, 1200);
    const auto check = ControlKind::CheckBox;
    add_choice(controls, check, "iinv", "invers", "Инверсия индикатора", 9, 2520, 240);
    add_choice(controls, check, "usredn", "usred", "Сглаживание", 9, 2520, 480);
    add_choice(controls, check, "D_4096", "Label6", "Диапазон 4096", 163, 2520, 720);
    controls.push_back(make(ControlKind::CommandButton, "Set_mode", "modes",
                            {2520, 1080, 1095, 375}, "&Установить", 9, kOff));
    controls.push_back(make(ControlKind::CommandButton, "Gen_ust", "modes", {3720, 1080, 1095, 375},
                            "Сгенерировать", 5, kOn));
}

// "Полный" and "Пустой" are built alike: amount, send button, generate button.
void add_shift_level(std::vector<Control>& controls, std::string_view frame,
                     std::string_view caption, int top, std::string_view amount,
                     std::string_view shift, std::string_view generate) {
    controls.push_back(with_font(
        make(ControlKind::Frame, frame, "Frame8", {120, top, 1455, 2040}, caption, 5, kOn),
        kBold825));
    controls.push_back(
        make(ControlKind::TextBox, amount, frame, {120, 360, 1215, 315}, "0", 5, kOn));
    controls.push_back(
        make(ControlKind::CommandButton, shift, frame, {120, 840, 1215, 435}, "Сдвиг", 163, kOff));
    controls.push_back(make(ControlKind::CommandButton, generate, frame, {120, 1440, 1215, 435},
                            "сгенерировать", 5, kOn));
}

void add_shift_frame(std::vector<Control>& controls) {
    controls.push_back(make(ControlKind::Frame, "Frame8", kWindow, {5160, 1440, 1695, 4695},
                            "Команды сдвига", kNoGroup, kOn));
    add_shift_level(controls, "Frame6", "Полный", 240, "sdv_verh", "sdv_hi", "gen_up");
    add_shift_level(controls, "Frame7", "Пустой", 2400, "sdv_niz", "sdv_low", "gen_down");
}

void add_lower_area(std::vector<Control>& controls) {
    Control tick = make(ControlKind::Timer, "TMRComm", kWindow, {}, "", kNoGroup, kOff);
    tick.interval_ms = kTickMs;
    controls.insert(
        controls.end(),
        {
            with_font(make(ControlKind::Label, "Kalibr_warning", kWindow, {120, 2520, 4935, 375},
                           "", 9, kOff),
                      kBold825),
            make(ControlKind::Label, "Label3", kWindow, {120, 5640, 1575, 255},
                 "Устройства в сети:", 9, kOff),
            make(ControlKind::Label, "netdev", kWindow, {1800, 5640, 3495, 255},
                 "Устройства не определены", 9, kOff),
            with_font(make(ControlKind::Label, "vv", kWindow, {1080, 6000, 495, 255},
                           "-------------------", 9, kOff),
                      kBold975),
            make(ControlKind::Label, "ver2", kWindow, {120, 6000, 855, 255}, "Версия ПО", 9, kOff),
            // The first letter is a Latin C.
            make(ControlKind::Label, "Label8", kWindow, {3000, 6000, 1695, 255},
                 "Cтабильность уровня", 9, kOff),
            shape("ind_stab", {2520, 5880, 375, 375}, kLightGrey),
            with_font(
                make(ControlKind::Label, "MsgCom", kWindow, {120, 6360, 5055, 375}, "", 9, kOff),
                kBold12),
            make(ControlKind::CommandButton, "Vvod_PWD", kWindow, {5520, 6360, 975, 495},
                 "Ввести пароль", 163, kOn),
            with_font(
                make(ControlKind::TextBox, "gen_txt", kWindow, {240, 6840, 3735, 285}, "", 5, kOn),
                kBold825),
            tick,
        });
}

// Kept on the window though never shown: the exchange and the serial-number commands use them.
void add_hidden_controls(std::vector<Control>& controls) {
    Control frame_view =
        make(ControlKind::TextBox, "txtRec", "Frame1", {120, 600, 3795, 3015}, "", 9, kOn);
    frame_view.multi_line = true;
    controls.insert(controls.end(),
                    {
                        hidden(make(ControlKind::CheckBox, "z255", kWindow, {4200, 6900, 255, 255},
                                    "", kNoGroup, kOn)),
                        hidden(make(ControlKind::Label, "Label7", kWindow, {4500, 6900, 1815, 255},
                                    "Запрашивать 255-й", kNoGroup, kOn)),
                        hidden(make(ControlKind::Frame, "Frame1", kWindow, {8040, 600, 4035, 3735},
                                    "Commands and Results", kNoGroup, kOn)),
                        make(ControlKind::Label, "Label1", "Frame1", {120, 240, 1335, 255},
                             "Text Returned:", kNoGroup, kOn),
                        frame_view,
                        hidden(make(ControlKind::CommandButton, "InstSN", kWindow,
                                    {8040, 4440, 1815, 435}, "&Serial num", 9, kOff)),
                        hidden(make(ControlKind::CommandButton, "next_ser_num", kWindow,
                                    {9960, 4440, 2055, 435}, "&Next serial num", 9, kOff)),
                        hidden(shape("pic1", {8040, 120, 375, 375}, kRed)),
                    });
}

}  // namespace

std::vector<Control> window_controls() {
    std::vector<Control> controls;
    add_connection_area(controls);
    add_identity_area(controls);
    add_settings_frame(controls);
    add_readings_frame(controls);
    add_commands_frame(controls);
    add_modes_frame(controls);
    add_shift_frame(controls);
    add_lower_area(controls);
    add_hidden_controls(controls);
    return controls;
}

}  // namespace qm720
