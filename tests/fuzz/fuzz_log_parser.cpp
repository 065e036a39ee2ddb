// Feeds arbitrary bytes to the log line parser. Whatever the input, the parser may only hand out
// whole fields or report its own error; a handler that fails must end the chunk.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bot/core/BotError.h"
#include "bot/log/LogParser.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A name or message is one field of one line: it never holds a field or line separator.
void RequireOneField(const std::string& text) {
    Require(text.find(';') == std::string::npos && text.find('\n') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view chunk(reinterpret_cast<const char*>(data), size);

    bool fatalError = false;
    const std::int16_t privateSlots = 4;
    int reports = 0;
    bool handlerThrew = false;
    quorvane::LogParser parser(
        [&](const std::string& text) {
            ++reports;
            Require(text.rfind("> ParseLine caught an error: ", 0) == 0);
        },
        fatalError, privateSlots);

    // A name starting with "!" makes the handler fail, so the fuzzer also reaches the path where
    // a feature's error ends the chunk.
    const auto check = [&](const quorvane::PlayerRef& player) {
        Require(!handlerThrew);
        RequireOneField(player.name);
        static_cast<void>(parser.IsPrivateSlot(player));
        if (!player.name.empty() && player.name.front() == '!') {
            handlerThrew = true;
            throw quorvane::BotError::OutOfRange();
        }
    };
    parser.Handlers().OnPlayerJoin = check;
    parser.Handlers().OnChat = [&](const quorvane::PlayerRef& player, const std::string& message) {
        RequireOneField(message);
        check(player);
    };
    parser.Handlers().RefreshMapName = [&] { Require(!handlerThrew); };

    parser.ParseLine(chunk);

    Require(reports == (fatalError ? 1 : 0));
    Require(!handlerThrew || fatalError);
    return 0;
}
