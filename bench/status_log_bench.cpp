// Cost of one status log entry at the start of a log and after 99 000 entries: it must not grow
// with the log. The entries' echo on standard output goes to /dev/null, so the terminal is not what
// is measured.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <iostream>
#include <memory>

#include "bot/ui/StatusLog.h"

namespace {

constexpr int kEntries = 100000;
constexpr int kMeasured = 1000;

const std::string kMessage = "> Warning - cannot find the broadcasts file: /srv/cod/adverts.txt";

void MeasureThousandAfter(benchmark::State& state, int before) {
    for (auto _ : state) {
        state.PauseTiming();
        auto log = std::make_unique<quorvane::StatusLog>();
        for (int i = 0; i < before; ++i) {
            log->display(kMessage);
        }
        state.ResumeTiming();
        for (int i = 0; i < kMeasured; ++i) {
            log->display(kMessage);
        }
        state.PauseTiming();
        log.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kMeasured);
    state.counters["us_per_entry"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kMeasured),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}

void BM_DisplayFirstThousand(benchmark::State& state) {
    MeasureThousandAfter(state, 0);
}
void BM_DisplayLastThousandOf100k(benchmark::State& state) {
    MeasureThousandAfter(state, kEntries - kMeasured);
}

BENCHMARK(BM_DisplayFirstThousand)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DisplayLastThousandOf100k)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    // The results go to standard error, since standard output now ends in /dev/null.
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
