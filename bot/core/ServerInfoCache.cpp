#include "bot/core/ServerInfoCache.h"

#include <cctype>

#include "bot/core/BotError.h"
#include "bot/core/Conversions.h"
#include "bot/core/Rotation.h"
#include "bot/rcon/RconGateway.h"

namespace quorvane {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// Piece 1 of the entry cut at spaces: its map name.
std::string MapOf(const std::string& entry) {
    const std::size_t space = entry.find(' ');
    if (space == std::string::npos) {
        throw BotError::OutOfRange();
    }
    const std::size_t end = entry.find(' ', space + 1);
    return entry.substr(space + 1, end == std::string::npos ? end : end - space - 1);
}

}  // namespace

ServerInfo::ServerInfo(ServerInfoCache& cache, RconGateway& gateway,
                       std::function<void(const std::string&)> display)
    : cache_(cache), gateway_(gateway), display_(std::move(display)) {}

void ServerInfo::RefreshServerInfo(const std::string& gameType) {
    const std::string privateClients = gateway_.RconQuery("sv_privateclients");
    cache_.PrivateSlots = privateClients.empty() ? 0 : ToWholeNumber16(privateClients);
    cache_.ServerHostName = gateway_.RconQuery("sv_hostname");
    const std::string rotation = gateway_.RconQuery("sv_maprotation");
    if (IsBlank(rotation)) {
        cache_.RotationKnown = false;
    }
    if (!cache_.RotationKnown) {
        return;
    }
    cache_.RotationList = ParseRotation(rotation, gameType);
}

void ServerInfo::RefreshMapName() {
    try {
        const std::string currentMap = Lower(gateway_.RconQuery("mapname"));
        if (cache_.RotationKnown && cache_.RotationList.size() >= 2) {
            for (std::size_t i = 0; i < cache_.RotationList.size(); ++i) {
                const std::string& entry = cache_.RotationList[i];
                // The last match wins.
                if (!entry.empty() && MapOf(Lower(entry)) == currentMap) {
                    cache_.CurrentMapIndex = static_cast<std::int16_t>(i);
                }
            }
        }
    } catch (...) {
        const BotError error = CurrentError();
        if (error.number() == kErrOutOfRange) {
            display_("> Error while reading map rotation. (" + std::to_string(error.number()) +
                     ")");
            cache_.RotationKnown = false;
        } else {
            display_("> Error while updating cvar cache.");
        }
    }
}

}  // namespace quorvane
