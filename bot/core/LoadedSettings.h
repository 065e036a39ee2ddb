#pragma once
// The typed values that the bot uses for one run of the core, converted from the settings table at
// every core start and cleared at every stop. Members are named after their settings keys.

#include <cstdint>
#include <functional>
#include <string>

namespace quorvane {

class SettingsStore;

struct LoadedSettings {
    std::string cod_logfile;
    std::string cod_serverip;
    std::int32_t cod_serverport = 0;  // 0 to 65535
    std::string cod_rconpassword;
    std::string chat_global_prefix;
    bool chat_usetell = false;
    bool chat_welcomeplayers = false;
    std::int32_t chat_command_min_delay = 0;
    bool chat_ads_enabled = false;
    bool chat_ads_useprefix = false;
    bool chat_ads_randomorder = false;
    std::int32_t chat_ads_interval = 0;
    std::string chat_ads_adsfile;
    bool chat_swearbot_enabled = false;
    std::string chat_swearbot_badwordfile;
    bool chat_swearbot_dontkickprivslots = false;
    bool chat_swearbot_kickforbadnames = false;
    std::int16_t chat_swearbot_method = 0;
    std::string chat_swearbot_message;
    std::string chat_customcommandsfile;
    bool chat_customcommands_enabled = false;
    bool chat_startup_msg = false;
    bool game_pb = false;
    std::int16_t game_pb_kicklength = 0;
};

inline constexpr const char* kDefaultGlobalPrefix = "^4|^7Quorv^9ane^4|^9 - ";
inline constexpr const char* kDefaultBadWordMessage =
    "^1%n^1, do not use bad language on this server!";

// Converts the table key by key, in the order of the key table. log_interval is not kept: it goes
// straight to setLogInterval (the master timer). A conversion error stops the load at its key and
// goes to the caller; the keys after it keep their values. programFolder ends in a separator.
void LoadSettings(const SettingsStore& store, const std::string& programFolder,
                  const std::function<void(int)>& setLogInterval, LoadedSettings& loaded);

}  // namespace quorvane
