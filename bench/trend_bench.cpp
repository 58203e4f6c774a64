// What the trend costs: the memory a whole day of readings at one a second takes, recorded and
// drawn with the trend window open, and the tick's time with the window open, following the
// last ten minutes and showing the whole day. Prints the figures beside their targets; asserts
// nothing.
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
constexpr double kTargetGrowthMb = 15.0;

// The session's form with its trend, on a clock that moves a second a tick.
struct RecordedDay {
    RecordedDay() { recorder.follow(window.form.session); }

    bench::OpenWindow window;
    TrendTime clock{std::chrono::seconds(1796507000)};
    TrendRecorder recorder{[this] { return clock += std::chrono::seconds(1); }, confirmation_text};
    QWidget* trend = nullptr;
};

RecordedDay* day = nullptr;

void tick_and_draw() {
    exchange_tick(day->window.form);
    QCoreApplication::processEvents();
}

void BM_TickWithTheTrendFollowing(benchmark::State& state) {
    for (QPushButton* button : day->trend->findChildren<QPushButton*>()) {
        if (button->text() == "Сейчас") {
            button->click();
        }
    }
    for (auto _ : state) {
        tick_and_draw();
    }
    state.SetLabel("target: under 1 ms a tick, drawing included");
}
BENCHMARK(BM_TickWithTheTrendFollowing)->Unit(benchmark::kMicrosecond);

void BM_TickWithTheTrendShowingTheDay(benchmark::State& state) {
    for (QPushButton* button : day->trend->findChildren<QPushButton*>()) {
        if (button->text() == "Весь сеанс") {
            button->click();
        }
    }
    for (auto _ : state) {
        tick_and_draw();
    }
    state.SetLabel("target: under 1 ms a tick, drawing included");
}
BENCHMARK(BM_TickWithTheTrendShowingTheDay)->Unit(benchmark::kMicrosecond);

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
    for (int k = 0; k < kReadingsADay; ++k) {
        exchange_tick(day->window.form);
    }
    const long recorded_kib = bench::resident_kib();

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
    const long open_kib = bench::resident_kib();
    std::printf("a day of readings (%d) recorded:      %+7.1f MB\n", kReadingsADay,
                megabytes(recorded_kib - at_start));
    std::printf("the same with the trend window open: %+7.1f MB   (target: under +%.0f MB)\n",
                megabytes(open_kib - at_start), kTargetGrowthMb);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete day->trend;
    return 0;
}
