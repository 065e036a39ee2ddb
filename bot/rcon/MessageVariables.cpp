#include "bot/rcon/MessageVariables.h"

#include "Version.h"
#include "bot/core/RegionalFormat.h"
#include "bot/core/ServerInfoCache.h"

namespace quorvane {
namespace {

// Replaces each occurrence once, left to right, so an inserted value is not searched again by
// the same step (a name holding %n stays as it is).
std::string ReplaceEach(const std::string& text, const std::string& what, const std::string& with) {
    std::string result;
    std::size_t from = 0;
    std::size_t at;
    while ((at = text.find(what, from)) != std::string::npos) {
        result.append(text, from, at - from);
        result += with;
        from = at + what.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

struct NextMap {
    std::string map = "unknown";
    std::string gameType = "unknown";
};

// The rotation entry after the current map, wrapping to the first. An entry that does not exist or
// names no map gives "unknown", like a rotation that is not known: a template must never fail
// because of the rotation.
NextMap NextRotationEntry(const ServerInfoCache& info) {
    NextMap next;
    if (!info.RotationKnown || info.RotationList.empty()) {
        return next;
    }
    const std::size_t count = info.RotationList.size();
    const long current = info.CurrentMapIndex;
    const std::size_t index =
        current == static_cast<long>(count) - 1 ? 0 : static_cast<std::size_t>(current + 1);
    if (current < 0 || index >= count) {
        return next;
    }
    const std::string& entry = info.RotationList[index];
    const std::size_t space = entry.find(' ');
    if (space == std::string::npos) {
        return next;
    }
    const std::size_t mapEnd = entry.find(' ', space + 1);
    next.gameType = entry.substr(0, space);
    next.map = entry.substr(space + 1, mapEnd == std::string::npos ? mapEnd : mapEnd - space - 1);
    return next;
}

}  // namespace

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    std::size_t at;
    while (!what.empty() && (at = text.find(what)) != std::string::npos) {
        text.replace(at, what.size(), with);
    }
    return text;
}

std::string ExpandVariables(const std::string& templ, const PlayerRef& player,
                            const ServerInfoCache& serverInfo) {
    const NextMap next = NextRotationEntry(serverInfo);
    std::string text = ReplaceEach(templ, "%n", player.name);
    text = ReplaceEach(text, "%s", serverInfo.ServerHostName);
    text = ReplaceEach(text, "%t", TimeOfDayText());
    text = ReplaceEach(text, "%d", ShortDateText());
    text = ReplaceEach(text, "%v", kVersionText);
    text = ReplaceEach(text, "%m", next.map);
    text = ReplaceEach(text, "%g", next.gameType);
    return text;
}

std::string StripColourCodes(std::string text) {
    for (const char* code : {"^1", "^2", "^3", "^4", "^5", "^6", "^7", "^8", "^9", "^0"}) {
        text = ReplaceAll(std::move(text), code, "");
    }
    return ReplaceAll(std::move(text), "\"", "");
}

}  // namespace quorvane
