#include "rconctl/basParsers.h"

namespace varnholt {

namespace {

// Removes leading and trailing spaces (the space character only).
std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

// Cuts the leading column up to the first occurrence of `separator` into `field`, and continues
// with the trimmed rest. Without a separator the field keeps its default and the text is only
// trimmed, so the next field is cut from the same text.
template <typename Field>
void CutColumn(std::string_view& s, std::string_view separator, Field& field) {
    const std::size_t p = s.find(separator);
    if (p == std::string_view::npos) {
        s = Trim(s);
        return;
    }
    field = std::string(s.substr(0, p));
    // "the characters of s after position p": the first character of the separator is dropped,
    // the trim takes the rest of it.
    s = Trim(s.substr(p + 1));
}

}  // namespace

platform::Record ToRecord(const nPlayerStruct& player) {
    return {player.Slot, player.Score, player.Host,    player.Ping,
            player.Rate, player.qPort, player.LastMsg, player.PlayerName};
}

void clearPlayer(nPlayerStruct& player) {
    player = nPlayerStruct{};
}

int splitLimited(std::string_view text, std::string_view delimiter, std::vector<std::string>& list,
                 int limit) {
    list.assign(limit > 0 ? static_cast<std::size_t>(limit) : 0, std::string());
    if (limit <= 0) {
        return 0;
    }
    if (delimiter.empty() || text.find(delimiter) == std::string_view::npos) {
        list[0] = std::string(text);
        return 1;
    }
    int count = 0;
    std::string_view rest = text;
    std::size_t p;
    while (count < limit && (p = rest.find(delimiter)) != std::string_view::npos) {
        list[static_cast<std::size_t>(count++)] = std::string(rest.substr(0, p));
        rest.remove_prefix(p + delimiter.size());
    }
    if (count < limit) {
        list[static_cast<std::size_t>(count++)] = std::string(rest);
    }
    return count;
}

nPlayerStruct parsePlayerLine(std::string_view line) {
    std::string_view s = Trim(line);
    nPlayerStruct player;
    clearPlayer(player);

    CutColumn(s, " ", player.Slot);
    CutColumn(s, " ", player.Score);
    CutColumn(s, " ", player.Ping);
    // The name may hold single spaces and ends at the first run of two or more.
    CutColumn(s, "  ", player.PlayerName);
    CutColumn(s, " ", player.LastMsg);
    CutColumn(s, " ", player.Host);

    // qPort takes the text up to the next space without cutting it; the rate is what follows
    // that space, or all of the text when there is none.
    const std::size_t p = s.find(' ');
    if (p != std::string_view::npos) {
        player.qPort = std::string(s.substr(0, p));
        player.Rate = std::string(Trim(s.substr(p + 1)));
    } else {
        player.Rate = std::string(Trim(s));
    }
    return player;
}

}  // namespace varnholt
