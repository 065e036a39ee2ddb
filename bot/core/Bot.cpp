#include "bot/core/Bot.h"

namespace quorvane {

Bot::Bot(std::string programFolder, Frontend& frontend)
    : core(programFolder, frontend, settings, loaded, masterTimer, switches),
      programFolder_(std::move(programFolder)) {}

}  // namespace quorvane
