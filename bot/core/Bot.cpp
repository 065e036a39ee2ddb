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
      tailer(DisplayOf(frontend), switches, loaded),
      parser(DisplayOf(frontend), switches.FatalError, serverInfo.PrivateSlots),
      masterTimer(DisplayOf(frontend), switches, loaded, tailer, parser),
      core(programFolder_, frontend, settings, loaded, masterTimer, tailer, switches) {}

}  // namespace quorvane
