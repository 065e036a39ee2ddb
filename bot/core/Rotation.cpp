#include "bot/core/Rotation.h"

namespace quorvane {

std::string TextBefore(const std::string& text, char c) {
    return text.substr(0, text.find(c));
}

std::vector<std::string> ParseRotation(const std::string& rotation, const std::string& gameType) {
    enum class Expect { Nothing, GameType, Map };
    std::vector<std::string> entries{""};
    bool first = true;
    std::string currentGameType = gameType;
    Expect state = Expect::Nothing;

    const std::string text = TextBefore(rotation, '^');
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = text.find(' ', start);
        const std::string token =
            text.substr(start, space == std::string::npos ? space : space - start);
        if (token == "gametype") {
            state = Expect::GameType;
        } else if (token == "map") {
            state = Expect::Map;
        } else if (state == Expect::GameType) {
            currentGameType = token;
            state = Expect::Nothing;
        } else if (state == Expect::Map) {
            // The state stays: every further plain token is another map.
            const std::string entry = currentGameType + " " + token;
            if (first) {
                entries[0] = entry;
                first = false;
            } else {
                entries.push_back(entry);
            }
        }
        if (space == std::string::npos) {
            break;
        }
        start = space + 1;
    }
    return entries;
}

}  // namespace quorvane
