#include "bot/core/Core.h"

#include "Version.h"
#include "bot/core/BotError.h"
#include "bot/core/Conversions.h"
#include "bot/core/CoreSwitches.h"
#include "bot/core/Frontend.h"
#include "bot/core/LoadedSettings.h"
#include "bot/core/SettingsStore.h"
#include "bot/core/TextFiles.h"
#include "bot/log/LogTailer.h"
#include "bot/log/MasterTimer.h"

namespace quorvane {

Core::Core(std::string programFolder, Frontend& frontend, SettingsStore& settings,
           LoadedSettings& loaded, MasterTimer& masterTimer, LogTailer& tailer,
           CoreSwitches& switches)
    : programFolder_(std::move(programFolder)),
      frontend_(frontend),
      settings_(settings),
      loaded_(loaded),
      masterTimer_(masterTimer),
      tailer_(tailer),
      switches_(switches) {}

void Core::display(const std::string& msg) {
    frontend_.display(msg);
}

std::string Core::SettingsPath() const {
    return FixTrailingSlash(programFolder_) + "settings.txt";
}

void Core::StartCore() {
    std::string stage;
    try {
        if (switches_.CoreActive) {
            display("> Quorvane is already active");
            frontend_.SetApplyEnabled(true);
            return;
        }
        switches_.FatalError = false;
        display("Starting Quorvane core...");
        frontend_.SetApplyEnabled(false);

        settings_.SetPath(SettingsPath());
        frontend_.LoadTimersWindow();
        display("Loaded timer module");
        display("Loading settings from " + settings_.path());
        settings_.ReadSettingsFile();
        display("Validating settings...");

        stage = "0-1";
        LoadSettings(
            settings_, FixTrailingSlash(programFolder_),
            [this](int interval) { masterTimer_.SetInterval(interval); }, loaded_);
        stage = "0-2";
        ValidateSettings();
        stage = "0-3";

        stage = "1";
        if (!switches_.FatalError) {
            stage = "2";
        }
        if (!switches_.FatalError) {
            stage = "2-1";
        }
        if (switches_.FatalError) {
            display("> Quorvane cannot continue because a previous error occurred");
            frontend_.SetApplyEnabled(true);
            return;
        }
        stage = "2-2";
        // Reading starts at the end of the log as it is now.
        tailer_.StartAt(tailer_.GetFileSize());
        masterTimer_.SetEnabled(true);

        switches_.CoreActive = true;
        frontend_.SetApplyEnabled(true);
    } catch (...) {
        const BotError error = CurrentError();
        display("> An error occurred while loading: " + NumberAndDescription(error) + " (" + stage +
                ")");
        switches_.FatalError = true;
        frontend_.SetApplyEnabled(true);
    }
}

void Core::ValidateSettings() {
    if (loaded_.cod_logfile.empty()) {
        display("> Config error - you haven't specified a log file path!");
        switches_.FatalError = true;
    }
    if (!FileExists(loaded_.cod_logfile)) {
        display("> Config error - cannot find the logfile: " + loaded_.cod_logfile);
        switches_.FatalError = true;
    }
    if (!FileExists(loaded_.chat_customcommandsfile)) {
        display(
            "> Warning - cannot find the custom commands file: " + loaded_.chat_customcommandsfile +
            ", custom commands have been disabled automatically");
        loaded_.chat_customcommands_enabled = false;
    }
    if (!FileExists(loaded_.chat_ads_adsfile)) {
        display("> Warning - cannot find the broadcasts file: " + loaded_.chat_ads_adsfile +
                ", broadcasts have been disabled automatically");
        loaded_.chat_ads_enabled = false;
    }
    if (!FileExists(loaded_.chat_swearbot_badwordfile) && loaded_.chat_swearbot_enabled) {
        display("> Warning - cannot find the bad words file: " + loaded_.chat_swearbot_badwordfile +
                ", badwords have been disabled automatically");
        loaded_.chat_swearbot_enabled = false;
    }
    if (ToWholeNumber16(settings_.GetSetting("log_interval", "5000")) < 2000) {
        display(
            "> Warning - Logfile interval period was set to less than 2 seconds, it was changed "
            "automatically to 2 seconds.");
        settings_.SetSetting("log_interval", "2000");
        masterTimer_.SetInterval(2000);
    }
    if (ToWholeNumber16(settings_.GetSetting("game_pb_kicklength", "2")) < 0) {
        display("> Warning - The PB kick length was negative, resetting to 2");
        settings_.SetSetting("game_pb_kicklength", "2");
        loaded_.game_pb_kicklength = 2;
    }
}

void Core::StopCore() {
    if (!switches_.CoreActive) {
        display("> Quorvane is already stopped");
        return;
    }
    frontend_.SetApplyEnabled(false);
    masterTimer_.SetEnabled(false);
    ResetSettings();
    display("Quorvane core shutting down...");
    switches_.CoreActive = false;
    frontend_.SetApplyEnabled(true);
}

void Core::ResetSettings() {
    masterTimer_.SetInterval(0);
    loaded_ = LoadedSettings{};
}

}  // namespace quorvane
