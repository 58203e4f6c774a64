// What the trend costs. Memory: opening the trend window (its module, Qt Charts, the window),
// then a whole day of readings at one a second with it open. Time: the exchange's tick with the
// trend open, and the redraw that follows each tick once it is over (chart update and paint),
// following the last ten minutes and showing the whole day. Prints the figures beside their
// targets; asserts nothing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLibrary>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>

#include "answering_form.h"
#include "exchange/exchange_cycle.h"
#include "gui/trend_opening.h"
#include "presentation/tick_outcome.h"
#include "trend/trend_recorder.h"
#include "trend_window/trend_window_entry.h"

namespace qm720 {
namespace {

constexpr int kReadingsADay = 86400;
constexpr double kTargetDayMb = 15.0;

// The session's form with its trend, on a clock that moves a second a tick.
struct RecordedDay {
    RecordedDay() { recorder.follow(window.form.session); }

    bench::OpenWindow window;
    TrendTime clock{std::chrono::seconds(1796507000)};
    TrendRecorder recorder{[this] { return clock += std::chrono::seconds(1); }, confirmation_text};
    QWidget* trend = nullptr;
};

RecordedDay* day = nullptr;

void press(const char* text) {
    for (QPushButton* button : day->trend->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            button->click();
        }
    }
    QCoreApplication::processEvents();
}

void tick(benchmark::State& state) {
    for (auto _ : state) {
        exchange_tick(day->window.form);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel("target: under 1 ms a tick");
}

void redraw(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        exchange_tick(day->window.form);
        state.ResumeTiming();
        QCoreApplication::processEvents();
    }
    state.SetLabel("after each tick, off the tick");
}

void BM_TickFollowingTheLastTenMinutes(benchmark::State& state) {
    press("Сейчас");
    tick(state);
}
BENCHMARK(BM_TickFollowingTheLastTenMinutes)->Unit(benchmark::kMicrosecond);

void BM_TickShowingTheWholeDay(benchmark::State& state) {
    press("Весь сеанс");
    tick(state);
}
BENCHMARK(BM_TickShowingTheWholeDay)->Unit(benchmark::kMicrosecond);

void BM_RedrawFollowingTheLastTenMinutes(benchmark::State& state) {
    press("Сейчас");
    redraw(state);
}
BENCHMARK(BM_RedrawFollowingTheLastTenMinutes)->Unit(benchmark::kMicrosecond);

void BM_RedrawShowingTheWholeDay(benchmark::State& state) {
    press("Весь сеанс");
    redraw(state);
}
BENCHMARK(BM_RedrawShowingTheWholeDay)->Unit(benchmark::kMicrosecond);

double megabytes(long kib) {
    return static_cast<double>(kib) / 1024.0;
}

}  // namespace
}  // namespace qm720

int main(int argc, char** argv) {
    using namespace qm720;
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto recorded = std::make_unique<RecordedDay>();
    day = recorded.get();
    const long at_start = bench::resident_kib();

    QLibrary module(gui::TrendOpening::installed_module_path());
    const auto make = reinterpret_cast<gui::MakeTrendWindow>(module.resolve(gui::kMakeTrendWindow));
    if (make == nullptr) {
        std::cerr << "the trend window's module did not load: "
                  << module.errorString().toStdString() << '\n';
        return 1;
    }
    day->trend = make(day->recorder, nullptr);
    day->trend->show();
    (void)QTest::qWaitForWindowExposed(day->trend);
    QCoreApplication::processEvents();
    const long opened = bench::resident_kib();

    // The day is recorded behind the window, which draws the last of it when shown again: a
    // redraw a tick would only make this run take long.
    day->trend->hide();
    for (int k = 0; k < kReadingsADay; ++k) {
        exchange_tick(day->window.form);
    }
    day->trend->show();
    press("Весь сеанс");
    const long whole_day = bench::resident_kib();
    press("Сейчас");
    const long last_minutes = bench::resident_kib();

    std::printf("opening the trend (module, Qt Charts, window): %+6.1f MB\n",
                megabytes(opened - at_start));
    std::printf(
        "a day of readings (%d) with the trend open:  %+6.1f MB   (target: under +%.0f MB)\n",
        kReadingsADay, megabytes(std::max(whole_day, last_minutes) - opened), kTargetDayMb);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete day->trend;
    return 0;
}
