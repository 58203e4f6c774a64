// The cost of one exchange tick on the form's side (a port that answers at once), and the
// memory after a long run: ticks must neither slow down nor grow anything but the log file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "answering_form.h"
#include "exchange/exchange_cycle.h"

namespace qm720 {
namespace {

using bench::OpenWindow;
using bench::resident_kib;

void BM_Tick(benchmark::State& state) {
    OpenWindow window;
    for (auto _ : state) {
        exchange_tick(window.form);
    }
    state.SetLabel("target: under 50 us a tick");
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMicrosecond);

void report_memory_after_long_run() {
    constexpr int kTicks = 100000;
    OpenWindow window;
    for (int k = 0; k < 1000; ++k) {
        exchange_tick(window.form);
    }
    const long before = resident_kib();
    for (int k = 0; k < kTicks; ++k) {
        exchange_tick(window.form);
    }
    const long after = resident_kib();
    const auto log_size = std::filesystem::file_size(window.form.log.log_path());
    std::printf(
        "resident memory: %ld KiB after 1000 ticks, %ld KiB after %d more (growth %ld KiB;"
        " target: none); log file %ju bytes\n",
        before, after, kTicks, after - before, static_cast<std::uintmax_t>(log_size));
}

}  // namespace
}  // namespace qm720

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    qm720::report_memory_after_long_run();
    return 0;
}
