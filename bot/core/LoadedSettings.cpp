#include "bot/core/LoadedSettings.h"

#include "bot/core/Conversions.h"
#include "bot/core/SettingsStore.h"

namespace quorvane {

void LoadSettings(const SettingsStore& store, const std::string& programFolder,
                  const std::function<void(int)>& setLogInterval, LoadedSettings& loaded) {
    const auto text = [&store](const char* key, const std::string& defaultValue) {
        return store.GetSetting(key, defaultValue);
    };
    const auto number = [&store](const char* key, const char* defaultValue) {
        return ToWholeNumber16(store.GetSetting(key, defaultValue));
    };
    const auto on = [&store](const char* key, const char* defaultValue) {
        return ToSwitch(store.GetSetting(key, defaultValue));
    };

    setLogInterval(number("log_interval", "5000"));
    loaded.cod_logfile = text("cod_logfile", "");
    loaded.cod_serverip = text("cod_serverip", "");
    loaded.cod_serverport = ToPortNumber(store.GetSetting("cod_serverport", "0"));
    loaded.cod_rconpassword = text("cod_rconpassword", "");
    loaded.chat_global_prefix = text("chat_global_prefix", kDefaultGlobalPrefix);
    loaded.chat_usetell = on("chat_usetell", "0");
    loaded.chat_welcomeplayers = on("chat_welcomeplayers", "0");
    loaded.chat_command_min_delay = number("chat_command_min_delay", "10");
    loaded.chat_ads_enabled = on("chat_ads_enabled", "0");
    loaded.chat_ads_useprefix = on("chat_ads_useprefix", "1");
    loaded.chat_ads_randomorder = on("chat_ads_randomorder", "1");
    loaded.chat_ads_interval = number("chat_ads_interval", "120");
    loaded.chat_ads_adsfile = text("chat_ads_adsfile", programFolder + "adverts.txt");
    loaded.chat_swearbot_enabled = on("chat_swearbot_enabled", "0");
    loaded.chat_swearbot_badwordfile =
        text("chat_swearbot_badwordfile", programFolder + "badwords.txt");
    loaded.chat_swearbot_dontkickprivslots = on("chat_swearbot_dontkickprivslots", "0");
    loaded.chat_swearbot_kickforbadnames = on("chat_swearbot_kickforbadnames", "1");
    loaded.chat_swearbot_method = number("chat_swearbot_method", "0");
    loaded.chat_swearbot_message = text("chat_swearbot_message", kDefaultBadWordMessage);
    loaded.chat_customcommandsfile =
        text("chat_customcommandsfile", programFolder + "customcmd.txt");
    loaded.chat_customcommands_enabled = on("chat_customcommands_enabled", "1");
    loaded.chat_startup_msg = on("chat_startup_msg", "1");
    loaded.game_pb = on("game_pb", "0");
    loaded.game_pb_kicklength = number("game_pb_kicklength", "2");
}

}  // namespace quorvane
