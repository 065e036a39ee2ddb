#pragma once
// What the bot knows of the game server from its variables: private slots, name, map rotation and
// the place of the current map in it. Kept for the whole run of the program, across core restarts.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

struct ServerInfoCache {
    std::int16_t PrivateSlots = 0;
    std::string ServerHostName;
    // Entries "game type" + " " + "map name", positions counted from 0.
    std::vector<std::string> RotationList;
    // Goes off for good once the rotation turned out unusable.
    bool RotationKnown = true;
    std::int16_t CurrentMapIndex = 0;
};

}  // namespace quorvane
