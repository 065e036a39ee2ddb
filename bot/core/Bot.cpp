#include "bot/core/Bot.h"

#include "bot/core/Frontend.h"

namespace quorvane {
namespace {

std::function<void(const std::string&)> DisplayOf(Frontend& frontend) {
    return [&frontend](const std::string& msg) { frontend.display(msg); };
}

}  // namespace

Bot::Bot(std::string programFolder, Frontend& frontend)
    : programFolder_(std::move(programFolder)),
      gateway(frontend, switches, loaded),
      chat(gateway, loaded),
      serverInfo(serverInfoCache, gateway, DisplayOf(frontend)),
      tailer(DisplayOf(frontend), switches, loaded),
      parser(DisplayOf(frontend), switches.FatalError, serverInfoCache.PrivateSlots),
      masterTimer(DisplayOf(frontend), switches, loaded, tailer, parser),
      core(programFolder_, CoreParts{frontend, settings, loaded, switches, masterTimer, tailer,
                                     gateway, serverInfo, serverInfoCache, chat}) {
    // Map starts and ends in the log move the current map in the rotation.
    parser.Handlers().RefreshMapName = [this] { serverInfo.RefreshMapName(); };
}

}  // namespace quorvane
