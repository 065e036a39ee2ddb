#pragma once
// Start and stop of the bot core: settings read, converted and checked, the server's variables
// read, the log followed; every step reported in the status log, and one error handler for the
// whole start that names the stage that failed.

#include <string>

namespace quorvane {

class ChatCommands;
class Frontend;
class LogTailer;
class MasterTimer;
class RconGateway;
class ServerInfo;
class SettingsStore;
struct CoreSwitches;
struct LoadedSettings;
struct ServerInfoCache;

// The modules a core start drives.
struct CoreParts {
    Frontend& frontend;
    SettingsStore& settings;
    LoadedSettings& loaded;
    CoreSwitches& switches;
    MasterTimer& masterTimer;
    LogTailer& tailer;
    RconGateway& gateway;
    ServerInfo& serverInfo;
    const ServerInfoCache& serverInfoCache;
    ChatCommands& chat;
};

class Core {
  public:
    // programFolder is the folder that holds the program and its settings files.
    Core(std::string programFolder, CoreParts parts);

    void StartCore();
    void StopCore();

    // Checks the loaded settings; all checks run, none stops the others. Errors go to the caller.
    void ValidateSettings();

    // Master timer interval 0, every loaded value cleared.
    void ResetSettings();

    // The settings file of this start: the program folder and settings.txt.
    std::string SettingsPath() const;

  private:
    void display(const std::string& msg);
    // Ends a start that found FatalError set.
    void CannotContinue();

    std::string programFolder_;
    CoreParts p_;
};

}  // namespace quorvane
