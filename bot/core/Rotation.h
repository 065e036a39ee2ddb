#pragma once
// The server's map rotation text (sv_maprotation) as a list of "game type" + " " + "map" entries.

#include <string>
#include <vector>

namespace quorvane {

// The part of text before the first occurrence of c; the whole text when c does not occur.
std::string TextBefore(const std::string& text, char c);

// Reads the rotation up to its first caret, cut at every single space: "gametype X" sets the game
// type of the maps that follow, "map A B" adds an entry for each plain token after map, until the
// next keyword. Keywords count in lower case only. gameType is the server's current game type.
// A rotation that names no map gives one empty entry.
std::vector<std::string> ParseRotation(const std::string& rotation, const std::string& gameType);

}  // namespace quorvane
