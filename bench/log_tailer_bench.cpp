// Cost of one master timer tick: with 64 KiB of new lines on a 64 KiB log and on a 1 GiB log (it
// must not depend on the log's size), and with no growth (one size query).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "bot/core/CoreSwitches.h"
#include "bot/core/LoadedSettings.h"
#include "bot/log/LogParser.h"
#include "bot/log/LogTailer.h"
#include "bot/log/MasterTimer.h"

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// 64 KiB of kill, damage and chat lines.
std::string NewLines() {
    const std::string lines =
        " 12:31 K;0;2;axis;Alpha;0;5;allies;Bravo;mp44_mp;130;MOD_RIFLE_BULLET;head\n"
        " 12:31 D;0;2;axis;Alpha;0;5;allies;Bravo;mp44_mp;30;MOD_RIFLE_BULLET;torso_upper\n"
        " 12:32 say;0;5;Bravo;\x15gg all\n";
    std::string text;
    while (text.size() + lines.size() + 16 <= kChunk) {
        text += lines;
    }
    text += "  0:00 ";
    return text + std::string(kChunk - text.size() - 1, '-') + "\n";
}

struct TailedLog {
    QTemporaryDir dir;
    quorvane::CoreSwitches switches;
    quorvane::LoadedSettings loaded;
    std::int16_t privateSlots = 0;
    std::function<void(const std::string&)> display = [](const std::string&) {};
    quorvane::LogTailer tailer{display, switches, loaded};
    quorvane::LogParser parser{display, switches.FatalError, privateSlots};
    quorvane::MasterTimer timer{display, switches, loaded, tailer, parser};

    explicit TailedLog(std::uintmax_t startSize) {
        loaded.cod_logfile = dir.filePath(QStringLiteral("games_mp.log")).toStdString();
        std::ofstream(loaded.cod_logfile, std::ios::binary).close();
        // A sparse file: the size is there without the disk space.
        std::filesystem::resize_file(loaded.cod_logfile, startSize);
        parser.Handlers().OnChat = [](const quorvane::PlayerRef&, const std::string&) {};
        tailer.StartAt(tailer.GetFileSize());
    }
    void Append(const std::string& bytes) {
        std::ofstream(loaded.cod_logfile, std::ios::binary | std::ios::app) << bytes;
    }
};

void TickWith64KiBNew(benchmark::State& state) {
    TailedLog log(static_cast<std::uintmax_t>(state.range(0)));
    const std::string lines = NewLines();
    for (auto _ : state) {
        state.PauseTiming();
        log.Append(lines);
        state.ResumeTiming();
        log.timer.Tick();
    }
    if (log.switches.FatalError) {
        state.SkipWithError("the tick failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kChunk));
}

void BM_TickNoGrowth(benchmark::State& state) {
    TailedLog log(kChunk);
    for (auto _ : state) {
        log.timer.Tick();
    }
}

BENCHMARK(TickWith64KiBNew)
    ->Name("BM_Tick64KiBNew/log_64KiB")
    ->Arg(64 * 1024)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(TickWith64KiBNew)
    ->Name("BM_Tick64KiBNew/log_1GiB")
    ->Arg(std::int64_t{1} << 30)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickNoGrowth)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
