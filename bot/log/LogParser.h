#pragma once
// Cuts the text that the log tailer read from the game server's log into lines, recognises each
// line's event and hands joins, chat lines and map changes to the features that act on them.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "bot/log/PlayerRef.h"

namespace quorvane {

// The features that act on log events plug in here. An empty handler is a feature that is not
// there yet: its lines are still read and checked, but nothing is called.
struct LogEventHandlers {
    std::function<void(const PlayerRef&)> OnPlayerJoin;
    std::function<void(const PlayerRef&, const std::string& message)> OnChat;
    std::function<void()> RefreshMapName;
};

class LogParser {
  public:
    // display writes one entry to the status log; fatalError is the bot's switch that stops it at
    // the next tick; privateSlots is the server's private-slot count as the cache holds it.
    LogParser(std::function<void(const std::string&)> display, bool& fatalError,
              const std::int16_t& privateSlots);

    // Processes every line of chunk in order. A line that lacks the fields its event needs, or a
    // failure of a handler, is reported, sets the fatal-error switch and drops the rest of the
    // chunk. Keeps no state between calls, so a handler that waits with the event loop running
    // may see another tick's ParseLine run inside it.
    void ParseLine(std::string_view chunk);

    // True when the player's slot lies below the server's private-slot count.
    bool IsPrivateSlot(const PlayerRef& player) const;

    LogEventHandlers& Handlers() { return handlers_; }

  private:
    void HandleLine(std::string_view line, const char*& stage) const;

    std::function<void(const std::string&)> display_;
    bool& fatalError_;
    const std::int16_t& privateSlots_;
    LogEventHandlers handlers_;
};

}  // namespace quorvane
