#pragma once
// Module basParsers of the control: the player record nPlayerStruct and the pure
// parsers of the status answer: splitLimited, parsePlayerLine, clearPlayer.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Variant.h"

namespace varnholt {

// One player of the status answer, fields in the order of the PlayerItem record. The variant
// fields hold the number 0 by default and the column's text once parsed.
struct nPlayerStruct {
    platform::Variant Slot{std::int32_t{0}};
    std::string Score = "0";
    std::string Host = "?";
    std::string Ping = "9999";
    platform::Variant Rate{std::int32_t{0}};
    platform::Variant qPort{std::int32_t{0}};
    platform::Variant LastMsg{std::int32_t{0}};
    std::string PlayerName = "?";

    friend bool operator==(const nPlayerStruct&, const nPlayerStruct&) = default;
};

// The record as the PlayerItem event passes it: eight variants, in field order.
platform::Record ToRecord(const nPlayerStruct& player);

// Sets every field to its default.
void clearPlayer(nPlayerStruct& player);

// Splits `text` at `delimiter` into `list`, which is resized to `limit` entries, all empty first
// (entry i, counted from 1, is list[i - 1]). Returns the number of entries counted: a text without
// the delimiter gives 1, a text ending in the delimiter gives an empty last entry, and text beyond
// entry `limit` is dropped. An empty delimiter never occurs.
int splitLimited(std::string_view text, std::string_view delimiter, std::vector<std::string>& list,
                 int limit);

// One player line cut into its columns: slot, score and ping up to single spaces, the name up to
// the first run of two spaces (the whole name column), then
// last-message value, host, qport and rate. A column that cannot be cut keeps its default; the
// rate takes what remains. Never fails.
nPlayerStruct parsePlayerLine(std::string_view line);

}  // namespace varnholt
