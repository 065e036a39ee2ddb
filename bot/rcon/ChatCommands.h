#pragma once
// Chat lines and kicks as game-server console commands: every chat line begins with the global
// chat prefix; texts go out unchanged and the server's reply is dropped.

#include <string>

#include "bot/log/PlayerRef.h"

namespace quorvane {

class RconGateway;
struct LoadedSettings;

class ChatCommands {
  public:
    ChatCommands(RconGateway& gateway, const LoadedSettings& loaded);

    // "say " + prefix + message, seen by everybody.
    void SayAll(const std::string& message);

    // A line meant for one player: private ("tell " + slot) when forceTell or chat_usetell is on,
    // public otherwise; a player without a name is always addressed publicly.
    void TellPlayer(const std::string& message, const PlayerRef& player, bool forceTell);

    // Through PunkBuster (slot + 1, kick length, reason) with game_pb on, else the game's own
    // clientkick with the slot.
    void KickPlayer(const PlayerRef& player, const std::string& reason);

  private:
    void Send(const std::string& command);

    RconGateway& gateway_;
    const LoadedSettings& loaded_;
};

}  // namespace quorvane
