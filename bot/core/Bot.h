#pragma once
// One running bot: every module with its state, wired to one window. Main creates one; a test
// creates its own in a temporary folder, so no state is shared between them.

#include <string>

#include "bot/core/Core.h"
#include "bot/core/CoreSwitches.h"
#include "bot/core/LoadedSettings.h"
#include "bot/core/ServerInfoCache.h"
#include "bot/core/SettingsStore.h"
#include "bot/log/LogParser.h"
#include "bot/log/LogTailer.h"
#include "bot/log/MasterTimer.h"
#include "bot/rcon/ChatCommands.h"
#include "bot/rcon/RconGateway.h"

namespace quorvane {

class Frontend;

class Bot {
  public:
    // programFolder holds settings.txt and, by default, the list files.
    Bot(std::string programFolder, Frontend& frontend);

    Bot(const Bot&) = delete;
    Bot& operator=(const Bot&) = delete;

    const std::string& programFolder() const { return programFolder_; }

  private:
    std::string programFolder_;

  public:
    CoreSwitches switches;
    SettingsStore settings;
    LoadedSettings loaded;
    ServerInfoCache serverInfoCache;
    RconGateway gateway;
    ChatCommands chat;
    ServerInfo serverInfo;
    LogTailer tailer;
    LogParser parser;
    MasterTimer masterTimer;
    Core core;
};

}  // namespace quorvane
