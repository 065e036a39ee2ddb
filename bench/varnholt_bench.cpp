// The control Varnholt against the fake game server on loopback, created and called as a host does
// (control model, dispatch identifiers):
//   - sendRcon round trip: median microseconds per call;
//   - CPU time of a silent wait: what a sendRcon that waits for its time-out costs the process
//     (the wait sleeps in a nested event loop, so this should be close to nothing).
// Run: build/bin/varnholt_bench   (QT_QPA_PLATFORM=offscreen is set when there is no display)

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "platform/ControlModel.h"
#include "rconctl/VarnholtIds.h"
#include "tests/fixtures/FakeGameServer.h"

namespace {

using platform::Variant;
using quorvane::testing::FakeGameServer;
namespace ids = varnholt::ids;

// User and system time of the whole process, all threads.
double ProcessCpuMilliseconds() {
#if defined(_WIN32)
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) {
        return static_cast<double>((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
#else
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
#endif
}

void BM_SendRconRoundTrip(benchmark::State& state) {
    const std::string reply = "\"sv_hostname\" is:\"My Server^7\" default:\"CoD Host^7\"\n";
    FakeGameServer server;
    server.SetDefaultResponse(FakeGameServer::Reply(reply));
    QWidget window;
    auto control = platform::CreateControl(std::string(ids::kProgId), &window);
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const Variant result = control->Invoke(ids::kSendRcon, {server.host(), server.port(), "pw",
                                                                "sv_hostname", std::int32_t{5000}});
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        if (result != Variant(reply)) {
            state.SkipWithError("unexpected reply");
            break;
        }
    }
    if (!micros.empty()) {
        std::sort(micros.begin(), micros.end());
        state.counters["median_us"] = micros[micros.size() / 2];
        state.counters["p90_us"] = micros[micros.size() * 9 / 10];
    }
}
BENCHMARK(BM_SendRconRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

// Argument: the time-out in milliseconds the silent server lets run out.
void BM_SilentWaitCpu(benchmark::State& state) {
    FakeGameServer server;  // never answers
    QWidget window;
    auto control = platform::CreateControl(std::string(ids::kProgId), &window);
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        const Variant result =
            control->Invoke(ids::kSendRcon, {server.host(), server.port(), "pw", "status",
                                             static_cast<std::int32_t>(state.range(0))});
        wall += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
        cpu += ProcessCpuMilliseconds() - cpuStart;
        if (result != Variant("RCON_TIMEOUT")) {
            state.SkipWithError("expected RCON_TIMEOUT");
            break;
        }
    }
    const double waits = static_cast<double>(state.iterations());
    state.counters["wait_ms"] = wall / waits;
    state.counters["process_cpu_ms"] = cpu / waits;
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0;
}
BENCHMARK(BM_SilentWaitCpu)->Arg(1500)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SilentWaitCpu)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
