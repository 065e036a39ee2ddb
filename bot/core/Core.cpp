#include "bot/core/Core.h"

#include "Version.h"
#include "bot/core/BotError.h"
#include "bot/core/Conversions.h"
#include "bot/core/CoreSwitches.h"
#include "bot/core/Frontend.h"
#include "bot/core/LoadedSettings.h"
#include "bot/core/ServerInfoCache.h"
#include "bot/core/SettingsStore.h"
#include "bot/core/TextFiles.h"
#include "bot/log/LogTailer.h"
#include "bot/log/MasterTimer.h"
#include "bot/rcon/ChatCommands.h"
#include "bot/rcon/RconGateway.h"

namespace quorvane {

Core::Core(std::string programFolder, CoreParts parts)
    : programFolder_(std::move(programFolder)), p_(parts) {}

void Core::display(const std::string& msg) {
    p_.frontend.display(msg);
}

std::string Core::SettingsPath() const {
    return FixTrailingSlash(programFolder_) + "settings.txt";
}

void Core::StartCore() {
    std::string stage;
    try {
        if (p_.switches.CoreActive) {
            display("> Quorvane is already active");
            p_.frontend.SetApplyEnabled(true);
            return;
        }
        p_.switches.FatalError = false;
        display("Starting Quorvane core...");
        p_.frontend.SetApplyEnabled(false);

        p_.settings.SetPath(SettingsPath());
        p_.frontend.LoadTimersWindow();
        display("Loaded timer module");
        display("Loading settings from " + p_.settings.path());
        p_.settings.ReadSettingsFile();
        display("Validating settings...");

        stage = "0-1";
        LoadSettings(
            p_.settings, FixTrailingSlash(programFolder_),
            [this](int interval) { p_.masterTimer.SetInterval(interval); }, p_.loaded);
        stage = "0-2";
        ValidateSettings();
        stage = "0-3";

        // The start checks FatalError between its stages and ends there once it is set.
        const auto stoppedByFatalError = [this] {
            if (p_.switches.FatalError) {
                CannotContinue();
            }
            return p_.switches.FatalError;
        };
        stage = "1";
        if (stoppedByFatalError()) {
            return;
        }
        stage = "2";
        if (stoppedByFatalError()) {
            return;
        }
        stage = "2-1";
        if (stoppedByFatalError()) {
            return;
        }
        const std::string gameType = p_.gateway.RconQuery("g_gametype");

        stage = "2-2";
        display("Loading server cvars...");
        p_.serverInfo.RefreshServerInfo(gameType);
        // Reading starts at the end of the log as it is now.
        p_.tailer.StartAt(p_.tailer.GetFileSize());
        p_.masterTimer.SetEnabled(true);

        stage = "2-3";
        p_.serverInfo.RefreshMapName();
        display("Initialisation complete - starting log file reading...");

        stage = "2-4";
        if (p_.loaded.chat_startup_msg) {
            p_.chat.SayAll(std::string("Quorv^9ane^7 v") + kVersionText + " loaded.");
        }
        display(std::string("Quorvane core v") + kVersionText + " loaded on " +
                p_.serverInfoCache.ServerHostName);

        p_.switches.CoreActive = true;
        p_.frontend.SetApplyEnabled(true);
    } catch (...) {
        const BotError error = CurrentError();
        display("> An error occurred while loading: " + NumberAndDescription(error) + " (" + stage +
                ")");
        p_.switches.FatalError = true;
        p_.frontend.SetApplyEnabled(true);
    }
}

void Core::CannotContinue() {
    display("> Quorvane cannot continue because a previous error occurred");
    p_.frontend.SetApplyEnabled(true);
}

void Core::ValidateSettings() {
    if (p_.loaded.cod_logfile.empty()) {
        display("> Config error - you haven't specified a log file path!");
        p_.switches.FatalError = true;
    }
    if (!FileExists(p_.loaded.cod_logfile)) {
        display("> Config error - cannot find the logfile: " + p_.loaded.cod_logfile);
        p_.switches.FatalError = true;
    }
    if (!FileExists(p_.loaded.chat_customcommandsfile)) {
        display("> Warning - cannot find the custom commands file: " +
                p_.loaded.chat_customcommandsfile +
                ", custom commands have been disabled automatically");
        p_.loaded.chat_customcommands_enabled = false;
    }
    if (!FileExists(p_.loaded.chat_ads_adsfile)) {
        display("> Warning - cannot find the broadcasts file: " + p_.loaded.chat_ads_adsfile +
                ", broadcasts have been disabled automatically");
        p_.loaded.chat_ads_enabled = false;
    }
    if (!FileExists(p_.loaded.chat_swearbot_badwordfile) && p_.loaded.chat_swearbot_enabled) {
        display(
            "> Warning - cannot find the bad words file: " + p_.loaded.chat_swearbot_badwordfile +
            ", badwords have been disabled automatically");
        p_.loaded.chat_swearbot_enabled = false;
    }
    if (ToWholeNumber16(p_.settings.GetSetting("log_interval", "5000")) < 2000) {
        display(
            "> Warning - Logfile interval period was set to less than 2 seconds, it was changed "
            "automatically to 2 seconds.");
        p_.settings.SetSetting("log_interval", "2000");
        p_.masterTimer.SetInterval(2000);
    }
    if (ToWholeNumber16(p_.settings.GetSetting("game_pb_kicklength", "2")) < 0) {
        display("> Warning - The PB kick length was negative, resetting to 2");
        p_.settings.SetSetting("game_pb_kicklength", "2");
        p_.loaded.game_pb_kicklength = 2;
    }
    // Asked at every start, whatever game_pb says.
    if (p_.gateway.RconQuery("sv_punkbuster") != "1" && p_.loaded.game_pb) {
        display(
            "> Warning - PB kicks are enabled, but the server is not running PB. PB kicks "
            "disabled.");
        p_.loaded.game_pb = false;
    }
}

void Core::StopCore() {
    if (!p_.switches.CoreActive) {
        display("> Quorvane is already stopped");
        return;
    }
    p_.frontend.SetApplyEnabled(false);
    p_.masterTimer.SetEnabled(false);
    ResetSettings();
    display("Quorvane core shutting down...");
    p_.switches.CoreActive = false;
    p_.frontend.SetApplyEnabled(true);
}

void Core::ResetSettings() {
    p_.masterTimer.SetInterval(0);
    p_.loaded = LoadedSettings{};
}

}  // namespace quorvane
