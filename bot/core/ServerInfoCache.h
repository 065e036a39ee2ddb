#pragma once
// What the bot knows of the game server from its variables: private slots, name, map rotation and
// the place of the current map in it. Kept for the whole run of the program, across core restarts.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorvane {

class RconGateway;

struct ServerInfoCache {
    std::int16_t PrivateSlots = 0;
    std::string ServerHostName;
    // Entries "game type" + " " + "map name", positions counted from 0.
    std::vector<std::string> RotationList;
    // Goes off for good once the rotation turned out unusable.
    bool RotationKnown = true;
    std::int16_t CurrentMapIndex = 0;
};

// Fills the cache from the server's variables through the rcon gateway.
class ServerInfo {
  public:
    ServerInfo(ServerInfoCache& cache, RconGateway& gateway,
               std::function<void(const std::string&)> display);

    // Private slots, server name and rotation, at every core start. Errors go to the caller.
    void RefreshServerInfo(const std::string& gameType);

    // Finds the current map in the rotation, at core start and at every map start and end. Reports
    // its own errors; the index then keeps its value.
    void RefreshMapName();

  private:
    ServerInfoCache& cache_;
    RconGateway& gateway_;
    std::function<void(const std::string&)> display_;
};

}  // namespace quorvane
