// Throughput of the log line parser on a log shaped like a busy server's: mostly kill and damage
// lines, some chat, joins, quits and map changes, as one tick would hand them over.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "bot/log/LogParser.h"

namespace {

const char* const kNames[] = {"^7kung ^5foo ^7man",      "Sergy(UKR)",     "Petro",
                              "^1[*Epic^0Gamerz*]^2Max", "who_is_on_DUTY", "\xd7\xe5\xeb\xf1\xe8",
                              "^0~>^2PG^0<~^2Saitek.",   "Unknown Soldier"};
const char* const kWeapons[] = {
    "m1garand_mp", "kar98k_sniper_mp",         "mp40_mp",
    "SVT40_mp",    "frag_grenade_american_mp", "mosin_nagant_sniper_mp"};
const char* const kMeans[] = {"MOD_RIFLE_BULLET", "MOD_HEAD_SHOT", "MOD_PISTOL_BULLET",
                              "MOD_GRENADE_SPLASH"};
const char* const kLocations[] = {"torso_lower",    "head", "right_leg_lower",
                                  "left_arm_upper", "neck", "none"};
const char* const kTeams[] = {"allies", "axis"};

template <typename T, std::size_t N>
const T& Pick(std::mt19937& random, const T (&items)[N]) {
    return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

// Right-aligned minutes as the server writes them: "  4:48", "1454:28".
std::string TimeStamp(int seconds) {
    std::string minutes = std::to_string(seconds / 60);
    std::string stamp(minutes.size() < 3 ? 3 - minutes.size() : 0, ' ');
    const int s = seconds % 60;
    stamp += minutes + ':' + static_cast<char>('0' + s / 10) + static_cast<char>('0' + s % 10);
    return stamp + ' ';
}

std::string MixedLog(std::size_t bytes) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> slot(0, 31);
    std::uniform_int_distribution<int> percent(0, 99);
    std::string log;
    int seconds = 0;
    while (log.size() < bytes) {
        seconds += 1 + slot(random) % 4;
        std::string line = TimeStamp(seconds);
        const int kind = percent(random);
        const std::string victim = std::to_string(slot(random));
        if (kind < 80) {
            const bool world = kind % 16 == 0;
            line += kind < 45 ? "K;" : "D;";
            line += std::to_string(100000 + slot(random)) + ';' + victim + ';' +
                    Pick(random, kTeams) + ';' + Pick(random, kNames) + ';';
            if (world) {
                line += ";-1;world;;none;";
            } else {
                line += std::to_string(100000 + slot(random)) + ';' + std::to_string(slot(random)) +
                        ';' + Pick(random, kTeams) + ';' + Pick(random, kNames) + ';' +
                        Pick(random, kWeapons) + ';';
            }
            line += std::to_string(10 + slot(random) * 3) + ';' + Pick(random, kMeans) + ';' +
                    Pick(random, kLocations);
        } else if (kind < 88) {
            line += "say;0;" + victim + ';' + Pick(random, kNames) + ";\x15" +
                    "gg, anyone for !nextmap?";
        } else if (kind < 92) {
            line +=
                "sayteam;0;" + victim + ';' + Pick(random, kNames) + ";\x14QUICKMESSAGE_MOVE_IN";
        } else if (kind < 95) {
            line += "J;0;" + victim + ';' + Pick(random, kNames);
        } else if (kind < 98) {
            line += "Q;0;" + victim + ';' + Pick(random, kNames);
        } else if (kind == 98) {
            line +=
                "InitGame: \\g_antilag\\1\\g_gametype\\tdm\\gamename\\Call of Duty 2\\mapname\\"
                "mp_toujane\\protocol\\118\\scr_friendlyfire\\0\\scr_killcam\\1\\shortversion\\"
                "1.3\\sv_allowAnonymous\\0\\sv_floodProtect\\1\\sv_hostname\\Server";
        } else {
            line += seconds % 2 == 0 ? "ExitLevel: executed" : "ShutdownGame:";
        }
        log += line + '\n';
    }
    return log;
}

void BM_ParseLine(benchmark::State& state) {
    const std::string log = MixedLog(static_cast<std::size_t>(state.range(0)));
    bool fatalError = false;
    const std::int16_t privateSlots = 2;
    quorvane::LogParser parser([](const std::string&) {}, fatalError, privateSlots);
    parser.Handlers().OnPlayerJoin = [](const quorvane::PlayerRef& player) {
        benchmark::DoNotOptimize(player.slot);
    };
    parser.Handlers().OnChat = [](const quorvane::PlayerRef& player, const std::string& message) {
        benchmark::DoNotOptimize(player.slot);
        benchmark::DoNotOptimize(message.data());
    };
    parser.Handlers().RefreshMapName = [] {};

    for (auto _ : state) {
        parser.ParseLine(log);
    }
    if (fatalError) {
        state.SkipWithError("the log did not parse");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(log.size()));
}
// One tick's worth of new text, and a long backlog in one chunk.
BENCHMARK(BM_ParseLine)->Arg(64 << 10)->Arg(4 << 20);

}  // namespace

BENCHMARK_MAIN();
