// The trend window offscreen, loaded as the program loads it, fed by the session's own outcomes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QChartView>
#include <QCheckBox>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QImageReader>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <map>
#include <memory>

#include "app/combo_box.h"
#include "exchange/exchange_cycle.h"
#include "gui/all_form_events.h"
#include "gui/form_window.h"
#include "gui/trend_opening.h"
#include "presentation/tick_outcome.h"
#include "protocol/requests.h"
#include "support/fake_serial_port.h"
#include "support/form_harness.h"
#include "support/reply_builder.h"
#include "support/temp_folder.h"
#include "trend/trend_csv.h"

namespace qm720 {
namespace {

const TrendTime kFirstTick{std::chrono::seconds(1796507000)};

// The main window over fakes, port open, sensor 1 selected; its trend recorded on a clock that
// moves a second a tick. The opening of the trend is added by `offer_trend`.
struct TrendHarness {
    TrendHarness() {
        recorder.follow(form.session);
        window.load();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        form.open_port();
        set_single_entry(form.control("CmbNet"), "1");
        window.sync();
        tick({});
        tick(test::identity_reply(4242, 131));
    }
    gui::TrendOpening& offer_trend() {
        opening = new gui::TrendOpening(window, recorder);
        return *opening;
    }
    QWidget& open_trend() {
        QWidget* trend = offer_trend().open();
        EXPECT_NE(trend, nullptr) << "the trend window's module did not load";
        EXPECT_TRUE(QTest::qWaitForWindowExposed(trend));
        return *trend;
    }
    // A tick, then the event loop's turn after it, when the trend redraws.
    void tick(const Bytes& read) {
        port.reads.push_back(read);
        exchange_tick(form);
        QCoreApplication::processEvents();
    }
    void measure(std::uint16_t level, std::uint8_t address = 1) {
        tick(test::Measurement{.address = address, .level = level}.frame());
    }
    QChart& chart() const { return *opening->trend_window()->findChild<QChartView*>()->chart(); }
    // The lines holding points of the series named `name`, as their levels.
    std::vector<std::vector<double>> lines(const QString& name) const {
        std::vector<std::vector<double>> lines;
        for (QAbstractSeries* series : chart().series()) {
            auto* line = qobject_cast<QLineSeries*>(series);
            if (line != nullptr && line->name() == name && line->count() > 0) {
                std::vector<double>& values = lines.emplace_back();
                for (const QPointF& point : line->points()) {
                    values.push_back(point.y());
                }
            }
        }
        return lines;
    }
    QDateTimeAxis& time_axis() const {
        return *static_cast<QDateTimeAxis*>(chart().axes(Qt::Horizontal).front());
    }
    QPushButton& button(const QString& text) const {
        for (QPushButton* button : opening->trend_window()->findChildren<QPushButton*>()) {
            if (button->text() == text) {
                return *button;
            }
        }
        ADD_FAILURE() << "no button " << text.toStdString();
        throw std::logic_error("no button");
    }

    test::TempFolder ports, folder;
    const int set = setenv("QM720_PORTS", ports.string().c_str(), 1);
    test::FakeSerialPort port;
    test::ScriptedDialogs dialogs;
    test::FixedClock clock{test::kStartTime};
    frmSerial form{port, dialogs, clock, folder.string()};
    gui::FormWindow window{form, gui::all_form_events()};
    int ticks = 0;
    TrendRecorder recorder{[this] { return kFirstTick + std::chrono::seconds(ticks++); },
                           confirmation_text};
    gui::TrendOpening* opening = nullptr;
};

// Everything the operator can see or reach of the main window's controls.
struct ControlsSeen {
    std::map<std::string, std::string> geometry;
    std::map<std::string, std::string> texts;
    std::map<std::string, bool> enabled;
    std::vector<std::string> tab_order;
};

std::string geometry_text(const QRect& rect) {
    return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " +
           std::to_string(rect.width()) + "x" + std::to_string(rect.height());
}

ControlsSeen controls_seen(TrendHarness& h) {
    ControlsSeen seen;
    for (const Control& control : h.form.controls()) {
        if (QWidget* widget = h.window.widget(control.name)) {
            seen.geometry[control.name] = geometry_text(widget->geometry());
            seen.enabled[control.name] = widget->isEnabled();
            for (const char* text : {"title", "currentText", "plainText", "text"}) {
                if (widget->property(text).isValid()) {
                    seen.texts[control.name] = widget->property(text).toString().toStdString();
                }
            }
        }
    }
    QWidget* first = h.window.nextInFocusChain();
    for (QWidget* widget = first;; widget = widget->nextInFocusChain()) {
        if (widget->window() == &h.window && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            seen.tab_order.push_back(widget->objectName().toStdString());
        }
        if (widget->nextInFocusChain() == first) {
            break;
        }
    }
    return seen;
}

TEST(TrendWindow, OpeningItLeavesEveryControlOfTheMainWindowAsItWas) {
    TrendHarness h;
    h.measure(300);
    h.window.sync();
    const ControlsSeen before = controls_seen(h);
    h.open_trend();
    h.window.sync();
    const ControlsSeen after = controls_seen(h);
    EXPECT_EQ(after.geometry, before.geometry);
    EXPECT_EQ(after.texts, before.texts);
    EXPECT_EQ(after.enabled, before.enabled);
    EXPECT_EQ(after.tab_order, before.tab_order);
    EXPECT_GT(before.tab_order.size(), 10U) << "the tab chain was not read";
}

class TrendWindowOpenedBy : public ::testing::TestWithParam<const char*> {};

TEST_P(TrendWindowOpenedBy, AClickOnTheReadingOpensTheTrendAndItSaysSo) {
    TrendHarness h;
    h.offer_trend();
    QWidget& reading = *h.window.widget(GetParam());
    EXPECT_EQ(reading.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(reading.toolTip(), "График показаний");
    QTest::mouseClick(h.window.windowHandle(), Qt::LeftButton, {},
                      reading.mapTo(&h.window, reading.rect().center()));
    ASSERT_NE(h.opening->trend_window(), nullptr);
    EXPECT_TRUE(h.opening->trend_window()->isVisible());
    EXPECT_EQ(h.opening->trend_window()->windowTitle(), "График показаний");
    EXPECT_FALSE(h.opening->trend_window()->isModal());
}

INSTANTIATE_TEST_SUITE_P(Readings, TrendWindowOpenedBy,
                         ::testing::Values("ProgressBar1", "uroven", "temp", "tek"));

TEST(TrendWindow, CtrlGOpensTheTrendFromTheMainWindow) {
    TrendHarness h;
    h.offer_trend();
    h.window.activateWindow();
    QTest::keyClick(&h.window, Qt::Key_G, Qt::ControlModifier);
    ASSERT_NE(h.opening->trend_window(), nullptr);
    EXPECT_TRUE(h.opening->trend_window()->isVisible());
}

TEST(TrendWindow, ATickWithoutAnAnswerBreaksTheLevelLine) {
    TrendHarness h;
    h.open_trend();
    for (const std::uint16_t level : {100, 110, 120}) {
        h.measure(level);
    }
    h.tick({});
    h.measure(200);
    h.measure(210);
    EXPECT_EQ(h.lines("Уровень, адрес 1"),
              (std::vector<std::vector<double>>{{100, 110, 120}, {200, 210}}));
}

TEST(TrendWindow, EachAddressHasItsOwnTraceInTheLegend) {
    TrendHarness h;
    h.open_trend();
    h.form.control("z255").checked = true;  // every sensor's measurement is taken
    h.measure(100, 1);
    h.tick({0x3E, 0x01, 0xF0});  // damaged: a gap in sensor 1's trace
    h.measure(110, 1);
    h.measure(700, 5);
    h.measure(710, 5);
    EXPECT_EQ(h.lines("Уровень, адрес 1"), (std::vector<std::vector<double>>{{100}, {110}}));
    EXPECT_EQ(h.lines("Уровень, адрес 5"), (std::vector<std::vector<double>>{{700, 710}}));
    QCoreApplication::processEvents();  // the legend lays out its markers
    std::vector<std::string> legend;
    for (QLegendMarker* marker : h.chart().legend()->markers()) {
        if (marker->isVisible()) {
            legend.push_back(marker->label().toStdString());
        }
    }
    EXPECT_EQ(legend, (std::vector<std::string>{"Уровень, адрес 1", "Температура, °C, адрес 1",
                                                "Уровень, адрес 5", "Температура, °C, адрес 5"}));
}

TEST(TrendWindow, AConfirmedCalibrationIsAVerticalMarkerWithItsStatusText) {
    TrendHarness h;
    h.open_trend();
    h.measure(300);
    h.form.session.queue(calibrate_request(1, Level::Full));
    h.measure(300);
    h.tick(with_crc({0x3E, 0x01, calibrate_request(1, Level::Full)[2]}));
    ASSERT_EQ(h.form.control("MsgCom").caption, " Установлен верхний уровень.");
    const auto markers = h.chart().series();
    const auto marker = std::find_if(markers.begin(), markers.end(), [](QAbstractSeries* series) {
        return series->name() == " Установлен верхний уровень.";
    });
    ASSERT_NE(marker, markers.end());
    const QList<QPointF> points = static_cast<QLineSeries*>(*marker)->points();
    const qreal confirmed_at =
        static_cast<qreal>((kFirstTick + std::chrono::seconds(4)).time_since_epoch().count());
    for (const QPointF& point : points) {
        EXPECT_EQ(point.x(), confirmed_at) << "a marker stands upright at its tick's time";
    }
    EXPECT_EQ(static_cast<QLineSeries*>(*marker)->pointLabelsFormat(),
              "Установлен верхний уровень.");
}

TEST(TrendWindow, TheWheelHoldsTheTimeRangeUntilNowIsPressed) {
    TrendHarness h;
    QWidget& trend = h.open_trend();
    const auto at_tick = [](int tick) {
        return QDateTime::fromMSecsSinceEpoch(
            (kFirstTick + std::chrono::seconds(tick)).time_since_epoch().count());
    };
    for (int k = 0; k < 30; ++k) {
        h.measure(300);
    }
    ASSERT_EQ(h.time_axis().max(), at_tick(31)) << "the chart does not follow the last tick";
    auto* view = trend.findChild<QChartView*>();
    const QPointF centre = view->viewport()->rect().center();
    QWheelEvent wheel(centre, view->viewport()->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    const QDateTime zoomed_to = h.time_axis().max();
    EXPECT_LT(h.time_axis().min().msecsTo(zoomed_to), 31 * 1000) << "the wheel did not zoom in";
    h.measure(310);
    EXPECT_EQ(h.time_axis().max(), zoomed_to) << "a zoomed chart moved on";
    h.button("Сейчас").click();
    EXPECT_EQ(h.time_axis().max(), at_tick(32));
    EXPECT_EQ(h.time_axis().min(), at_tick(0));
}

TEST(TrendWindow, WholeSessionShowsFromTheFirstTick) {
    TrendHarness h;
    h.open_trend();
    h.measure(300);
    h.button("Весь сеанс").click();
    EXPECT_EQ(h.time_axis().min(),
              QDateTime::fromMSecsSinceEpoch(kFirstTick.time_since_epoch().count()));
}

TEST(TrendWindow, TheCurrentValueIsDrawnOnRequest) {
    TrendHarness h;
    QWidget& trend = h.open_trend();
    h.measure(300);
    EXPECT_TRUE(h.lines("Текущее значение, адрес 1").empty());
    trend.findChild<QCheckBox*>()->click();
    EXPECT_EQ(h.lines("Текущее значение, адрес 1"), (std::vector<std::vector<double>>{{100000}}));
}

// Answers the save dialog with `path` once it shows.
void save_as(const QString& path) {
    QTimer::singleShot(10, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            save_as(path);
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

TEST(TrendWindow, SaveCsvWritesEveryReadingAndMarker) {
    TrendHarness h;
    h.open_trend();
    h.measure(300);
    h.tick({});
    h.measure(310);
    const QString path = QString::fromStdString(h.folder.string() + "/trend.csv");
    save_as(path);
    h.button("Сохранить CSV").click();
    const std::string csv = test::file_bytes(path.toStdString());
    EXPECT_EQ(csv, trend_csv(h.recorder.history()));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3) << csv;
    EXPECT_NE(csv.find(",1,310,23,100000,100000,190000,0,\n"), std::string::npos) << csv;
}

TEST(TrendWindow, SavePngWritesThePictureOfTheChart) {
    TrendHarness h;
    QWidget& trend = h.open_trend();
    h.measure(300);
    const QString path = QString::fromStdString(h.folder.string() + "/trend.png");
    save_as(path);
    h.button("Сохранить PNG").click();
    QImageReader picture(path);
    EXPECT_EQ(picture.format(), "png");
    EXPECT_EQ(picture.size(), trend.findChild<QChartView*>()->size());
}

TEST(TrendWindow, TheWindowAndItsControlsHaveAccessibleNames) {
    TrendHarness h;
    QWidget& trend = h.open_trend();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&trend)->text(QAccessible::Name),
              "График показаний");
    std::vector<std::string> names;
    QList<QWidget*> controls{trend.findChild<QChartView*>()};
    for (QAbstractButton* button : trend.findChildren<QAbstractButton*>()) {
        controls << button;
    }
    for (QWidget* control : controls) {
        names.push_back(
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).toStdString());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{
                         "Весь сеанс", "График: уровень, температура, текущее значение", "Сейчас",
                         "Сохранить CSV", "Сохранить PNG", "Текущее значение"}));
}

}  // namespace
}  // namespace qm720
