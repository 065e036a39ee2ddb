#pragma once
// Message templates as the admin writes them, filled with live values (%n %s %t %d %v %m %g), and
// the removal of the game's colour codes before texts are searched for bad words.

#include <string>

#include "bot/log/PlayerRef.h"

namespace quorvane {

struct ServerInfoCache;

// Replaces, in this order, %n (the player's name), %s (server name), %t (time of day), %d (date),
// %v (program version), %m and %g (map and game type of the next rotation entry, or "unknown");
// each step works on the result of the one before.
std::string ExpandVariables(const std::string& templ, const PlayerRef& player,
                            const ServerInfoCache& serverInfo);

// The text without ^0 to ^9 and without double quotes. A removal that joins a caret to a digit of
// the same code removes that one too.
std::string StripColourCodes(std::string text);

// Every occurrence of what replaced by with, searching again from the start after each
// replacement, for as long as what still occurs. what must not occur in with.
std::string ReplaceAll(std::string text, const std::string& what, const std::string& with);

}  // namespace quorvane
