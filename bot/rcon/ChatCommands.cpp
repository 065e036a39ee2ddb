#include "bot/rcon/ChatCommands.h"

#include "bot/core/LoadedSettings.h"
#include "bot/rcon/RconGateway.h"

namespace quorvane {

ChatCommands::ChatCommands(RconGateway& gateway, const LoadedSettings& loaded)
    : gateway_(gateway), loaded_(loaded) {}

void ChatCommands::Send(const std::string& command) {
    gateway_.RconExec(loaded_.cod_rconpassword, command, loaded_.cod_serverip,
                      loaded_.cod_serverport);
}

void ChatCommands::SayAll(const std::string& message) {
    Send("say " + loaded_.chat_global_prefix + message);
}

void ChatCommands::TellPlayer(const std::string& message, const PlayerRef& player, bool forceTell) {
    if (player.name.empty() || (!forceTell && !loaded_.chat_usetell)) {
        SayAll(message);
        return;
    }
    Send("tell " + std::to_string(player.slot) + " " + loaded_.chat_global_prefix + message);
}

void ChatCommands::KickPlayer(const PlayerRef& player, const std::string& reason) {
    if (loaded_.game_pb) {
        Send("pb_sv_kick " + std::to_string(player.slot + 1) + " " +
             std::to_string(loaded_.game_pb_kicklength) + " " + reason);
    } else {
        Send("clientkick " + std::to_string(player.slot));
    }
}

}  // namespace quorvane
