#pragma once
// Start and stop of the bot core: settings read, converted and checked, every step reported in the
// status log, one error handler for the whole start that names the stage that failed.

#include <string>

namespace quorvane {

class Frontend;
class LogTailer;
class MasterTimer;
class SettingsStore;
struct CoreSwitches;
struct LoadedSettings;

class Core {
  public:
    // programFolder is the folder that holds the program and its settings files.
    Core(std::string programFolder, Frontend& frontend, SettingsStore& settings,
         LoadedSettings& loaded, MasterTimer& masterTimer, LogTailer& tailer,
         CoreSwitches& switches);

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

    std::string programFolder_;
    Frontend& frontend_;
    SettingsStore& settings_;
    LoadedSettings& loaded_;
    MasterTimer& masterTimer_;
    LogTailer& tailer_;
    CoreSwitches& switches_;
};

}  // namespace quorvane
